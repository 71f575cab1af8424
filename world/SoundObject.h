#pragma once

#include "engine/Actor.h"

#include <cstdint>

namespace GAME {

class SoundPak;

// The ambient loop of a sound object. Its pack is owned and held by id: tearing down every
// object at once may take the pack before its owner.
class SoundAmbient {
public:
    SoundAmbient() = default;
    SoundAmbient(const SoundAmbient&) = delete;
    SoundAmbient& operator=(const SoundAmbient&) = delete;
    // Stops the sound and destroys its pack.
    ~SoundAmbient();

    // "ambientSound".
    void Load(const LoadTable& table);
    void StartSound(bool loop);
    void StopSound();
    void PreLoad();
    void Update(const WorldCoords& coords, int32_t elapsedMs);

    bool IsActive() const { return active; }
    SoundPak* GetSound() const;

private:
    bool active = false;
    bool loop = false;
    uint32_t soundId = 0;
};

// A sound played again and again after a fixed or random wait.
class SoundPeriodic {
public:
    SoundPeriodic() = default;
    SoundPeriodic(const SoundPeriodic&) = delete;
    SoundPeriodic& operator=(const SoundPeriodic&) = delete;
    ~SoundPeriodic();

    // "periodicSound", "soundPeriod", "randomPeriod", "randomPeriodMin", "randomPeriodMax".
    void Load(const LoadTable& table);
    // Only with a sound.
    void StartSound();
    // A sound already playing is not cut.
    void StopSound() { active = false; }
    void PreLoad();
    void Update(const WorldCoords& coords, int32_t elapsedMs);

    bool IsActive() const { return active; }
    int32_t GetTimeLeft() const { return timeLeft; }
    SoundPak* GetSound() const;

private:
    void NewPeriod();

    bool active = false;
    uint32_t soundId = 0;
    int32_t period = 0;
    bool randomPeriod = false;
    int32_t minPeriod = 0;
    int32_t maxPeriod = 0;
    int32_t timeLeft = 0;
};

// An invisible actor playing an ambient sound, a periodic one, or both, where it stands.
class SoundObject : public Actor {
    GAME_DECLARE_CLASS(SoundObject)

public:
    SoundObject() = default;
    ~SoundObject() override;

    bool ShouldServerSpawn() const override { return false; }
    bool CanCollide() const { return false; }
    bool OccludesPathing() const override { return false; }

    // "startOnLoad" starts both sounds here rather than at the initial update.
    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    void UpdateSelf(int32_t elapsedMs) override;

    const SoundAmbient& GetAmbient() const { return ambient; }
    const SoundPeriodic& GetPeriodic() const { return periodic; }

private:
    bool startOnLoad = false;
    SoundAmbient ambient;
    SoundPeriodic periodic;
};

} // namespace GAME
