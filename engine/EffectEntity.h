#pragma once

#include "engine/Entity.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <vector>

namespace GAME {

class LoadTable;

// A particle effect. Nothing is drawn: the effect keeps whether it emits and whether particles
// are still alive, and counts what it was asked, so that callers can be checked. Particles
// outlive the emission that made them; in a full engine the renderer lets them die out, here
// whoever plays the renderer says so with `SetHasActiveParticles(false)`.
class EffectEntity : public Entity {
    GAME_DECLARE_CLASS(EffectEntity)

public:
    EffectEntity() = default;
    ~EffectEntity() override;

    void PreLoad(bool flag) override;
    uint32_t GetPreLoadCount() const { return preLoadCount; }

    // Back to the state of a fresh effect: no emission, no particles.
    void Reset();
    uint32_t GetResetCount() const { return resetCount; }

    void StartEmitting();
    void StopEmitting();
    bool IsEmitting() const { return emitting; }
    uint32_t GetStartEmittingCount() const { return startEmittingCount; }
    uint32_t GetStopEmittingCount() const { return stopEmittingCount; }

    // Dims the lights the effect carries until they are out.
    void FadeLight() { ++fadeLightCount; }
    uint32_t GetFadeLightCount() const { return fadeLightCount; }

    // Leaves the effect to the world at the coordinates, to play out there by itself. False when
    // there is no world or it refuses the coordinates.
    bool AddToWorld(const WorldCoords& coords, bool flag);
    struct AddToWorldRequest {
        WorldCoords coords;
        bool flag = false;
    };
    const std::vector<AddToWorldRequest>& GetAddToWorldRequests() const { return addToWorld; }

    bool HasActiveParticles() const { return activeParticles; }
    void SetHasActiveParticles(bool value) { activeParticles = value; }

    // Marks an attached effect that should go away by itself once it has played out.
    void MakeSelfDeletingChild() { selfDeletingChild = true; }
    bool IsSelfDeletingChild() const { return selfDeletingChild; }

private:
    bool emitting = false;
    bool activeParticles = false;
    bool selfDeletingChild = false;
    uint32_t preLoadCount = 0;
    uint32_t resetCount = 0;
    uint32_t startEmittingCount = 0;
    uint32_t stopEmittingCount = 0;
    uint32_t fadeLightCount = 0;
    std::vector<AddToWorldRequest> addToWorld;
};

// The effect the record names under the key; null when it names none or no effect.
EffectEntity* LoadEffectEntityFromTable(const LoadTable& table, const char* key);

} // namespace GAME
