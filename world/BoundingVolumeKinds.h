#pragma once

#include "engine/SoundDescriptor.h"
#include "world/BoundingVolume.h"

#include <cstdint>
#include <string>

namespace GAME {

// Moves the time of day with the controlling player's distance from the centre: the start hour
// at the centre, the end hour at "radiusToEndHour". The hour only ever moves towards the end.
class BoundingVolumeLerpDaylight : public BoundingVolume {
    GAME_DECLARE_CLASS(BoundingVolumeLerpDaylight)

public:
    BoundingVolumeLerpDaylight() = default;
    ~BoundingVolumeLerpDaylight() override;

    // "startHour", "endHour", "radiusToEndHour".
    void Load(const LoadTable& table) override;
    void ForcedUpdate(int32_t elapsedMs) override;
    void UpdateSelf(int32_t elapsedMs) override;
    void OnEnterAction(uint32_t entityId) override;
    void OnExitAction(uint32_t entityId) override;

    bool IsActive() const { return active; }
    float GetFarthestDistance() const { return farthestDistance; }

private:
    void StartIfControllingPlayer(uint32_t entityId);
    void Stop();

    float startHour = 3.0f;
    float endHour = 23.0f;
    float radiusToEndHour = 0.0f;
    float farthestDistance = 0.0f;
    bool savedSwitch = true;
    bool active = false;
};

// Changes the ambience and the music playlists when the main player comes in.
class BoundingVolumeChangePlaylist : public BoundingVolume {
    GAME_DECLARE_CLASS(BoundingVolumeChangePlaylist)

public:
    BoundingVolumeChangePlaylist() = default;
    ~BoundingVolumeChangePlaylist() override;

    // "ambientPlaylist", "musicPlaylist".
    void Load(const LoadTable& table) override;
    void OnEnterAction(uint32_t entityId) override;

private:
    std::string ambientPlaylist;
    std::string musicPlaylist;
};

// Plays its sound once when the main player comes in, then removes itself.
class BoundingVolumeSoundFxOneShot : public BoundingVolume {
    GAME_DECLARE_CLASS(BoundingVolumeSoundFxOneShot)

public:
    BoundingVolumeSoundFxOneShot() = default;
    ~BoundingVolumeSoundFxOneShot() override;

    // "soundPak".
    void Load(const LoadTable& table) override;
    void OnEnterAction(uint32_t entityId) override;

private:
    std::string soundPakName;
};

// Blows through the grass while switched on; reports nobody coming in.
class BoundingVolumeWind : public BoundingVolume {
    GAME_DECLARE_CLASS(BoundingVolumeWind)

public:
    static constexpr const char* kSoundFile = "Sounds/Ambience/Loops/LoopMountain01.mp3";

    BoundingVolumeWind() = default;
    ~BoundingVolumeWind() override;

    void OnEnterAction(uint32_t /*entityId*/) override {}
    void ForcedUpdate(int32_t elapsedMs) override { Update(elapsedMs); }
    void UpdateSelf(int32_t elapsedMs) override;

    void Start();
    void Stop();
    bool IsWindOn() const { return windOn; }
    const SoundDescriptor& GetSound() const { return sound; }

private:
    float windX = 5.0f;
    float windZ = 0.0f;
    SoundDescriptor sound;
    float volume = 0.0f;
    bool windOn = false;
    Vec3 regionPosition;
};

} // namespace GAME
