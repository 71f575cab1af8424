#include "characters/AnimationBase.h"

#include "characters/AnimationHandle.h"

namespace GAME {

AnimationBase::~AnimationBase() = default;

bool AnimationBase::SetLastPose(Actor& actor)
{
    const AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr && handle->SetLastPose(actor);
}

bool AnimationBase::SetAnimationPose(Actor& actor, int32_t frame)
{
    const AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr && handle->SetPose(actor, frame);
}

bool AnimationBase::HandleAnimationCallback(Actor&, const Name& name)
{
    AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr && handle->HandleAnimationCallback(name);
}

void AnimationBase::AdjustAnimation(Actor& actor, float speed)
{
    if (const AnimationHandle* handle = GetPlayingHandle())
        handle->Adjust(actor, speed);
}

int32_t AnimationBase::GetLength() const
{
    const AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr ? handle->GetLength() : 0;
}

int32_t AnimationBase::GetFrameRate() const
{
    const AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr ? handle->GetFrameRate() : 0;
}

float AnimationBase::GetAnimSpeed() const
{
    const AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr ? handle->GetAnimSpeed() : 0.0f;
}

void AnimationBase::SetAnimationBlendTime(float) {}

float AnimationBase::GetAnimationBlendTime() const
{
    const AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr ? handle->blendTime : 0.0f;
}

GraphicsAnim* AnimationBase::GetCurrentAnimation() const
{
    const AnimationHandle* handle = GetPlayingHandle();
    return handle != nullptr ? handle->animation : nullptr;
}

} // namespace GAME
