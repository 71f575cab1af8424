#pragma once

#include "engine/Entity.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <vector>

namespace GAME {

class LoadTable;

// A particle effect. Nothing is drawn: the effect keeps whether it emits and whether particles
// are still alive, and counts what it was asked, so that callers can be checked. Particles
// outlive the emission that made them by their lifetime on the game clock; with no renderer to
// retire them they would otherwise live for ever, and whatever waits for them to die out (the
// effects a character drops) would pile up on every server.
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

    // Leaves the effect to the world at the coordinates, to play out there by itself: nothing
    // holds it any more, so its emitter runs one play (`kEmissionMs` from its start) and the
    // effect goes once the particles are gone. False when there is no world or it refuses the
    // coordinates; the caller still owns the effect then.
    bool AddToWorld(const WorldCoords& coords, bool flag);
    struct AddToWorldRequest {
        WorldCoords coords;
        bool flag = false;
    };
    const std::vector<AddToWorldRequest>& GetAddToWorldRequests() const { return addToWorld; }

    // How long the last particles of a stopped emitter live on.
    static constexpr uint64_t kParticleLifetimeMs = 1000;
    // One play of the emitter of an effect left to play out by itself. With the particles'
    // lifetime it stays below the shortest time between two sparkles of an item, so an item
    // lying on the ground never holds more than one.
    static constexpr uint64_t kEmissionMs = 1000;
    // True while emitting, and for the particle lifetime after the emission stops.
    bool HasActiveParticles() const;
    // For a renderer that knows better: false retires the particles at once.
    void SetHasActiveParticles(bool value) { activeParticles = value; }

    // Marks an attached effect that should go away by itself once it has played out, as one
    // left to the world does. Out of the world's frame, it is played out by forced updates.
    void MakeSelfDeletingChild();
    bool IsSelfDeletingChild() const { return selfDeletingChild; }

    void UpdateSelf(int32_t elapsedMs) override;
    void ForcedUpdate(int32_t elapsedMs) override;

private:
    // Stops the play when its time is up, and ends the effect once nothing of it is left.
    void PlayOut();
    void End();

    bool emitting = false;
    // Game time at which the running emission started.
    uint64_t emittingSince = 0;
    bool playingOut = false;
    bool activeParticles = false;
    // Game time at which the particles of the stopped emission are gone.
    uint64_t particlesDieAt = 0;
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
