#pragma once

#include "engine/Actor.h"

#include <string>

namespace GAME {

// A named circle of a level for the detail map; seen (at its size) only in the editor.
class AreaOfInterest : public Actor {
    GAME_DECLARE_CLASS(AreaOfInterest)

public:
    static constexpr uint32_t kNuggetType = 6;

    AreaOfInterest();
    ~AreaOfInterest() override;

    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    void AppendDetailMapData(std::vector<MinimapGameNugget>& list) const override;

    float GetRadius() const { return radius; }
    const std::string& GetAreaDescription() const { return areaDescription; }

private:
    std::string areaDescription;
    float radius = 1.0f;
};

} // namespace GAME
