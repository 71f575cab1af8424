#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class Actor;
class AnimationHandle;
class GraphicsAnim;
class Name;

// What one kind of animation of a set holds: one animation, a weighted pool or a choice by
// reference name. Unless a holder says otherwise the operations act on the handle playing now,
// and fail or answer 0 without one. Each holder gives back every animation it loaded when it
// goes.
class AnimationBase {
public:
    AnimationBase() = default;
    AnimationBase(const AnimationBase&) = delete;
    AnimationBase& operator=(const AnimationBase&) = delete;
    virtual ~AnimationBase();

    virtual bool PlayAnimation(Actor& actor, const Name& reference, float speed, bool loop,
                               int32_t repeatCount) = 0;
    virtual bool SetLastPose(Actor& actor);
    virtual bool SetAnimationPose(Actor& actor, int32_t frame);
    virtual bool HandleAnimationCallback(Actor& actor, const Name& name);
    virtual void AddAnimation(const std::string& animationName, float speedScale, float weight,
                              const std::string& reference) = 0;
    virtual void AdjustAnimation(Actor& actor, float speed);
    virtual void PreLoad(bool flag) = 0;
    virtual int32_t GetLength() const;
    virtual int32_t GetFrameRate() const;
    virtual float GetAnimSpeed() const;
    virtual void SetAnimationBlendTime(float time);
    virtual float GetAnimationBlendTime() const;
    virtual bool IsEmpty() const = 0;
    // The graphics animation playing now, or null.
    virtual GraphicsAnim* GetCurrentAnimation() const;

protected:
    // Null when nothing is chosen.
    virtual AnimationHandle* GetPlayingHandle() = 0;
    const AnimationHandle* GetPlayingHandle() const
    {
        return const_cast<AnimationBase*>(this)->GetPlayingHandle();
    }
};

} // namespace GAME
