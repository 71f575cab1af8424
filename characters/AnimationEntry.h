#pragma once

#include "characters/AnimationBase.h"
#include "characters/AnimationHandle.h"

namespace GAME {

// A kind that holds one animation. Adding another replaces it; the blend time stays the
// entry's.
class AnimationEntry : public AnimationBase {
public:
    AnimationEntry() = default;
    // Starts out holding an animation it did not load, such as the engine's default.
    explicit AnimationEntry(GraphicsAnim* animation);
    ~AnimationEntry() override;

    bool PlayAnimation(Actor& actor, const Name& reference, float speed, bool loop,
                       int32_t repeatCount) override;
    void AddAnimation(const std::string& animationName, float speedScale, float weight,
                      const std::string& reference) override;
    void PreLoad(bool flag) override;
    void SetAnimationBlendTime(float time) override;
    bool IsEmpty() const override;

protected:
    AnimationHandle* GetPlayingHandle() override { return &handle; }

private:
    AnimationHandle handle;
};

} // namespace GAME
