#pragma once

#include "engine/Entity.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// A named bundle of particle and mesh effects with a start sound: placed, it spawns its members
// where it stands once, and goes on the next update that takes time.
class FxPak : public Entity {
    GAME_DECLARE_CLASS(FxPak)

public:
    FxPak() = default;
    ~FxPak() override;

    // "particleEffectNames", "meshEffectNames", "activateSound".
    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    void UpdateSelf(int32_t elapsedMs) override;
    // Spawns the members and forgets their names, so they come only once.
    void LoadResources();

    const std::vector<std::string>& GetParticleEffectNames() const { return particleEffectNames; }
    const std::vector<std::string>& GetMeshEffectNames() const { return meshEffectNames; }
    // 0 without a sound.
    uint32_t GetActivateSoundId() const { return activateSoundId; }

private:
    void SpawnMeshEffect(const std::string& name);
    void SpawnParticleEffect(const std::string& name);

    std::vector<std::string> particleEffectNames;
    std::vector<std::string> meshEffectNames;
    // Owned; held by id, since tearing down every object at once may take it first.
    uint32_t activateSoundId = 0;
};

// An effect pack of the record added to the world at the coordinates; nothing for an empty
// record, and one the world refuses goes at once.
void PlaceFxPak(const std::string& record, const WorldCoords& coords);

} // namespace GAME
