#pragma once

#include <cstdint>
#include <string>

#include "characters/AnimationEntry.h"
#include "engine/Actor.h"

namespace GAME {

class SoundPak;

// Something a character carries at one of its attach points while a skill plays (a torch, a
// tool), with its own looping animation and a sound when it is taken up.
class Prop : public Actor {
    GAME_DECLARE_CLASS(Prop)

public:
    Prop() = default;
    ~Prop() override;
    Prop(const Prop&) = delete;
    Prop& operator=(const Prop&) = delete;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;

    void AttachProp(Actor& owner);
    void DetachProp(Actor& owner);
    const std::string& GetAttachPoint() const { return attachPoint; }

    // Null when the record names no sound.
    SoundPak* GetSound() const;

private:
    uint32_t soundId = 0; // owned through the object manager
    AnimationEntry propAnimation;
    std::string attachPoint;
};

} // namespace GAME
