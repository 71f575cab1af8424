#pragma once

#include "engine/Color.h"
#include "engine/WorldFrustum.h"
#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

// Weather, sky and ambient sound around the point the game follows. Nothing is shown here: the
// manager keeps the point and the last view it was given, and counts the effect updates.
class AmbianceManager {
public:
    static AmbianceManager& Instance();

    void SetTargetPosition(const WorldVec3& position) { targetPosition = position; }
    const WorldVec3& GetTargetPosition() const { return targetPosition; }

    void UpdateEnvironmentEffects(const WorldVec3& position);
    void UpdateEnvironmentEffects(const WorldFrustum& view);
    const WorldVec3& GetEffectsPosition() const { return effectsPosition; }
    const WorldFrustum& GetEffectsView() const { return effectsView; }
    uint32_t GetPositionUpdateCount() const { return positionUpdates; }
    uint32_t GetViewUpdateCount() const { return viewUpdates; }

    // The sky's ambient light; one colour serves every index here. Dark until a level sets it.
    const Color& GetSkyAmbientColor(int32_t /*index*/) const { return skyAmbientColor; }
    void SetSkyAmbientColor(const Color& color) { skyAmbientColor = color; }

    // Whether the followed point stands where a boss's music plays; the level says so.
    bool TargetIsInBossMusicZone() const { return targetInBossMusicZone; }
    void SetTargetInBossMusicZone(bool value) { targetInBossMusicZone = value; }

    // Play ended: nothing is followed any more.
    void Reset();

private:
    WorldVec3 targetPosition;
    WorldVec3 effectsPosition;
    WorldFrustum effectsView;
    uint32_t positionUpdates = 0;
    uint32_t viewUpdates = 0;
    Color skyAmbientColor{0.0f, 0.0f, 0.0f, 1.0f};
    bool targetInBossMusicZone = false;
};

} // namespace GAME
