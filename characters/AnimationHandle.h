#pragma once

#include <cstdint>

namespace GAME {

class Actor;
class GraphicsAnim;
class Name;

// One loaded animation and how it is played. The holder that filled it gives the animation
// back to the graphics engine; the handle itself owns nothing.
class AnimationHandle {
public:
    static constexpr float kDefaultBlendTime = 250.0f;

    AnimationHandle() = default;
    AnimationHandle(GraphicsAnim* animation, float speedScale, float weight);
    AnimationHandle(const AnimationHandle&) = default;
    AnimationHandle& operator=(const AnimationHandle&) = default;
    virtual ~AnimationHandle();
    virtual bool IsEmpty() const { return animation == nullptr; }

    // On the actor's body channel; keeps playing while looping or while repeats remain.
    bool Play(Actor& actor, float speed, bool loop, int32_t repeatCount);
    bool SetPose(Actor& actor, int32_t frame) const;
    bool SetLastPose(Actor& actor) const;
    // True while an "End" leaves repeats to play.
    bool HandleAnimationCallback(const Name& name);
    void Adjust(Actor& actor, float speed) const;
    void PreLoad(bool flag) const;

    float GetAnimSpeed() const;
    int32_t GetLength() const;
    int32_t GetFrameRate() const;

    GraphicsAnim* animation = nullptr;
    float blendTime = kDefaultBlendTime;
    float speedScale = 1.0f;
    float weight = 0.0f;
    int32_t repeatCount = 0;
    bool loop = false;
};

} // namespace GAME
