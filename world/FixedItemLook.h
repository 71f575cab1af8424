#pragma once

#include "characters/AnimationEntry.h"
#include "engine/Name.h"

#include <cstdint>
#include <string>

namespace GAME {

class Actor;
class LoadTable;
class WorldCoords;

// One look of a fixed item: an animation with its speed, a sound and an effect pack record, all
// named by one stem of record keys ("open" reads "openAnimation", "openAnimationSpeed",
// "openSound" and "openFxPakName"). Missing parts are skipped.
class FixedItemLook {
public:
    FixedItemLook() = default;
    FixedItemLook(const FixedItemLook&) = delete;
    FixedItemLook& operator=(const FixedItemLook&) = delete;
    ~FixedItemLook();

    // `soundKey` and `effectKey` default to the stem's; doors name their sounds their own way.
    void Load(const LoadTable& table, const std::string& stem);
    void LoadSound(const LoadTable& table, const char* key);
    void LoadEffect(const LoadTable& table, const char* key);
    void PreLoad(bool flag);

    // Once at speed 1.0, not looping; false when there is no animation.
    bool PlayOnce(Actor& actor) { return animation.PlayAnimation(actor, Name(), 1.0f, false, 0); }
    bool Play(Actor& actor, float speed, bool loop)
    {
        return animation.PlayAnimation(actor, Name(), speed, loop, 0);
    }
    bool SetLastPose(Actor& actor) { return animation.SetLastPose(actor); }
    // The sound at the coordinates (not looping), then the effect pack placed there.
    void PlaySoundAndEffect(const WorldCoords& coords) const;
    void PlaySound(const WorldCoords& coords, bool loop) const;
    void PlaceEffect(const WorldCoords& coords) const;

    AnimationEntry& GetAnimation() { return animation; }
    uint32_t GetSoundId() const { return soundId; }
    const std::string& GetEffect() const { return effect; }

private:
    AnimationEntry animation;
    uint32_t soundId = 0;
    std::string effect;
};

} // namespace GAME
