#pragma once

#include "world/Proxy.h"

#include <cstdint>
#include <vector>

namespace GAME {

// A proxy that holds its monsters back and releases them one at a time at its own spot, at
// random intervals, while a player is within its alert area, keeping the living released ones
// under a randomly drawn cap. The monsters still held are kept in the level state.
class ProxyAmbush : public Proxy {
    GAME_DECLARE_CLASS(ProxyAmbush)

public:
    ProxyAmbush() = default;
    // Destroys what is still held; released monsters live on.
    ~ProxyAmbush() override;

    void Load(const LoadTable& table) override;
    bool ShouldSaveState() const override { return true; }
    void SaveState(BinaryWriter& writer) const override;
    bool RestoreState(BinaryReader& reader) override;
    void UpdateSelf(int32_t elapsedMs) override;
    // Takes the pool's objects over instead of placing them.
    void PoolComplete(ProxyPool& pool, const std::vector<WorldCoords>& locations) override;

    bool IsAlert() const;
    void PlaceNextObject();

    const std::vector<uint32_t>& GetWaitingObjects() const { return waitingObjects; }
    const std::vector<uint32_t>& GetReleasedObjects() const { return releasedObjects; }
    int32_t GetSpawnTimer() const { return spawnTimer; }

    static constexpr const char* kInvalidObject = "InvalidProxyObjectSaved";

private:
    void PruneReleased();

    std::vector<uint32_t> waitingObjects;
    float alertArea = 0.0f;
    int32_t minSpawnTime = 0;
    int32_t maxSpawnTime = 0;
    uint32_t minPopulation = 0;
    uint32_t maxPopulation = 0;
    std::vector<uint32_t> releasedObjects;
    int32_t spawnTimer = 0;
};

} // namespace GAME
