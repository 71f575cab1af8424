#include "engine/Actor.h"

#include "engine/GraphicsAnim.h"

#include <algorithm>
#include <cmath>

namespace GAME {

namespace {

constexpr int32_t kBodyChannel = 0;

} // namespace

void Actor::StopAnimations()
{
    for (auto& [index, channel] : animationChannels) {
        channel.animation = nullptr;
        channel.timeMs = 0.0;
        channel.nextEvent = 0;
        channel.ended = false;
    }
}

void Actor::AnimationCallback(int32_t kind, const Name& name)
{
    animationEvents.Add(AnimationEvent{kind, name});
}

Vec3 Actor::GetMotion() const
{
    const AnimationChannel* channel = GetAnimationChannel(kBodyChannel);
    if (channel == nullptr || channel->animation == nullptr || channel->ended)
        return Vec3();
    const float speed = channel->animation->GetSpeed() * channel->speed * channel->speedMultiplier;
    return GetCoords().GetRegionCoords().forward * speed;
}

WorldCoords Actor::GetBoneCoords(const Name& bone) const
{
    const WorldCoords& own = GetCoords();
    Coords placement;
    if (!GetPose().GetBoneCoords(bone, placement))
        return own;
    Coords coords = own.GetRegionCoords();
    coords.origin = coords.TransformPoint(placement.origin);
    return WorldCoords(own.GetRegionId(), coords);
}

float Actor::GetMeshBoundingRadius() const
{
    return meshBoundingBox.GetExtents().Length();
}

bool Actor::RaiseAnimationEvents(AnimationChannel& channel, double upToMs)
{
    const GraphicsAnim* animation = channel.animation;
    const uint64_t plays = channel.playRequests.GetTotalCount();
    while (channel.nextEvent < animation->GetEvents().size()) {
        // A copy: the handler may place more events on the animation.
        const GraphicsAnim::Event event = animation->GetEvents()[channel.nextEvent];
        if (!(event.timeMs <= upToMs))
            break;
        ++channel.nextEvent;
        AnimationCallback(event.kind, event.name);
        // The handler played or stopped something on this channel: the old pass is over.
        if (channel.animation != animation || channel.playRequests.GetTotalCount() != plays)
            return false;
    }
    return true;
}

bool Actor::AdvanceChannel(AnimationChannel& channel, int32_t elapsedMs)
{
    GraphicsAnim* animation = channel.animation;
    if (animation == nullptr || channel.ended)
        return false;
    const double duration = animation->GetDurationMs();
    const double rate = double(channel.speed) * double(channel.speedMultiplier);
    // A rate that is negative or not a number holds the animation still.
    if (elapsedMs > 0 && rate > 0.0 && std::isfinite(rate))
        channel.timeMs += double(elapsedMs) * rate;
    if (channel.timeMs < duration)
        return RaiseAnimationEvents(channel, channel.timeMs);
    if (channel.keepPlaying) {
        if (duration <= 0.0)
            return RaiseAnimationEvents(channel, 0.0);
        if (!RaiseAnimationEvents(channel, duration))
            return false;
        // Passes skipped whole by one long frame raise nothing.
        channel.timeMs = std::fmod(channel.timeMs, duration);
        channel.nextEvent = 0;
        return RaiseAnimationEvents(channel, channel.timeMs);
    }
    channel.timeMs = duration;
    if (!RaiseAnimationEvents(channel, duration))
        return false;
    channel.ended = true;
    static const Name end = Name::Create("End");
    const uint64_t plays = channel.playRequests.GetTotalCount();
    AnimationCallback(0, end);
    // Posed at the last frame unless the handler moved on.
    return channel.animation == animation && channel.playRequests.GetTotalCount() == plays;
}

void Actor::UpdateAnimations(int32_t elapsedMs)
{
    // A handler may play on a new channel; map nodes stay put while others are added.
    for (auto& [index, channel] : animationChannels) {
        const bool advanced = AdvanceChannel(channel, elapsedMs);
        if (index != kBodyChannel || !advanced)
            continue;
        const GraphicsAnim* animation = channel.animation;
        const double frame = channel.timeMs * animation->GetFrameRate() / 1000.0;
        const int32_t last = std::max(animation->GetLength() - 1, 0);
        SkeletalPose posed = GetPose();
        if (animation->GetFramePose(std::clamp(int32_t(frame), 0, last), posed)) {
            SetPose(posed);
            TweakPose();
        }
    }
}

} // namespace GAME
