#include "characters/AnimationHandle.h"

#include "core/Saturate.h"
#include "engine/Actor.h"
#include "engine/GraphicsAnim.h"
#include "engine/Name.h"
#include "engine/ResourceLoader.h"
#include "engine/SkeletalPose.h"

namespace GAME {

namespace {
constexpr int32_t kBodyChannel = 0;
}

AnimationHandle::AnimationHandle(GraphicsAnim* animation, float speedScale, float weight)
    : animation(animation), speedScale(speedScale), weight(weight)
{}

AnimationHandle::~AnimationHandle() = default;

bool AnimationHandle::Play(Actor& actor, float speed, bool loop, int32_t repeatCount)
{
    this->loop = loop;
    this->repeatCount = repeatCount;
    if (animation == nullptr)
        return false;
    // The blend time comes from records: saturate rather than convert out of range.
    return actor.PlayAnimation(kBodyChannel, animation, loop || repeatCount != 0,
                               speed * speedScale, SaturateToInt(blendTime));
}

bool AnimationHandle::SetPose(Actor& actor, int32_t frame) const
{
    SkeletalPose pose;
    if (animation == nullptr || !animation->GetFramePose(frame, pose))
        return false;
    actor.SetPose(pose);
    return true;
}

bool AnimationHandle::SetLastPose(Actor& actor) const
{
    return animation != nullptr && SetPose(actor, animation->GetLength() - 1);
}

bool AnimationHandle::HandleAnimationCallback(const Name& name)
{
    static const Name end = Name::Create("End");
    if (loop || name != end)
        return false;
    // Stopping at 0 changes no answer and keeps endless "End"s from wrapping the count.
    if (repeatCount > 0)
        --repeatCount;
    return repeatCount > 0;
}

void AnimationHandle::Adjust(Actor& actor, float speed) const
{
    actor.SetAnimationSpeedMultiplier(kBodyChannel, speed * speedScale);
}

void AnimationHandle::PreLoad(bool flag) const
{
    if (animation != nullptr)
        ResourceLoader::Instance().EnqueueResource(animation->GetName(), flag);
}

float AnimationHandle::GetAnimSpeed() const
{
    return animation != nullptr ? animation->GetSpeed() / speedScale : 0.0f;
}

int32_t AnimationHandle::GetLength() const
{
    return animation != nullptr ? animation->GetLength() : 0;
}

int32_t AnimationHandle::GetFrameRate() const
{
    return animation != nullptr ? animation->GetFrameRate() : 0;
}

} // namespace GAME
