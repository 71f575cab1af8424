#pragma once

#include "engine/Entity.h"

#include <cstdint>
#include <string>

namespace GAME {

class LoadTable;

// A mesh effect hung on an entity. Nothing is drawn: the effect keeps the attach point its
// record names and whether it runs, and counts what it was asked.
class FxMesh : public Entity {
    GAME_DECLARE_CLASS(FxMesh)

public:
    FxMesh() = default;
    ~FxMesh() override;

    // "attachPoint": where on its carrier the effect belongs (default empty).
    void Load(const LoadTable& table) override;
    const std::string& GetAttachPoint() const { return attachPoint; }

    void PreLoad(bool flag) override;
    uint32_t GetPreLoadCount() const { return preLoadCount; }

    void Start();
    void Stop();
    bool IsActive() const { return active; }
    uint32_t GetStartCount() const { return startCount; }
    uint32_t GetStopCount() const { return stopCount; }

private:
    std::string attachPoint;
    bool active = false;
    uint32_t preLoadCount = 0;
    uint32_t startCount = 0;
    uint32_t stopCount = 0;
};

} // namespace GAME
