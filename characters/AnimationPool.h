#pragma once

#include "characters/AnimationBase.h"
#include "characters/AnimationHandle.h"

#include <vector>

namespace GAME {

// A kind with several animations, one picked at random by weight each time it plays.
class AnimationPool : public AnimationBase {
public:
    AnimationPool() = default;
    ~AnimationPool() override;

    bool PlayAnimation(Actor& actor, const Name& reference, float speed, bool loop,
                       int32_t repeatCount) override;
    // An empty name is skipped; one the graphics engine cannot load is logged.
    void AddAnimation(const std::string& animationName, float speedScale, float weight,
                      const std::string& reference) override;
    void PreLoad(bool flag) override;
    // The mean of every animation's speed; 0 for an empty pool.
    float GetAnimSpeed() const override;
    // Every animation held now takes the time; later ones start at the default.
    void SetAnimationBlendTime(float time) override;
    bool IsEmpty() const override;

    size_t GetAnimationCount() const { return handles.size(); }

protected:
    AnimationHandle* GetPlayingHandle() override;

private:
    int32_t PickIndex() const;

    std::vector<AnimationHandle> handles;
    float weightTotal = 0.0f;
    int32_t playingIndex = 0;
};

} // namespace GAME
