#pragma once

#include "world/BoundingVolumeMultiple.h"

namespace GAME {

// Three nested spheres around an event: the music fades as a player nears, the event music
// plays once he reaches the heart, and the music comes back if he turns round before that.
class BoundingVolumeMusicEvent : public BoundingVolumeMultiple {
    GAME_DECLARE_CLASS(BoundingVolumeMusicEvent)

public:
    BoundingVolumeMusicEvent() = default;
    ~BoundingVolumeMusicEvent() override;

    // "eventMusicFile".
    void Load(const LoadTable& table) override;
    // The first one carries the spheres along.
    void UpdateSelf(int32_t elapsedMs) override;
    void OnEnterVolume(int index) override;
    void OnExitVolume(int index) override;

    const std::string& GetEventMusicFile() const { return musicName; }

private:
    bool needsAttaching = true;
};

} // namespace GAME
