#include "characters/CharacterRagDoll.h"

#include "characters/Character.h"
#include "combat/DeathManager.h"
#include "core/Helpers.h"
#include "core/RandomHelpers.h"
#include "engine/AnimationChannel.h"
#include "engine/GraphicsAnim.h"
#include "engine/Name.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"

namespace GAME {

namespace {

constexpr float kRandomSideways = 5.0f;
constexpr float kRandomUpward = 3.0f;
constexpr float kTakeHitMinSpeed = 3.0f;
constexpr float kTakeHitMaxSpeed = 12.0f;
constexpr float kTakeHitMinSpread = 3.0f;
constexpr float kTakeHitMaxSpread = 6.0f;
constexpr float kTakeHitLift = 0.333f;
constexpr float kNoDirectionSquared = 0.0001f;
constexpr float kCrumpleDamping = 0.8f;
constexpr float kCrumpleMaxSpeed = 4.5f;
constexpr float kElevation = 3.0f;

Vec3 CapLength(const Vec3& v, float cap)
{
    return v.Length() > cap ? v.Unit() * cap : v;
}

// The frame channel 0 shows now, kept inside the animation.
int32_t CurrentFrame(const GraphicsAnim& animation, const AnimationChannel& channel)
{
    const double frame = channel.timeMs * double(animation.GetFrameRate()) / 1000.0;
    if (!(frame > 0.0))
        return 0;
    const int32_t last = animation.GetLength() - 1;
    return frame >= double(last) ? Max(last, 0) : static_cast<int32_t>(frame);
}

} // namespace

CharacterRagDoll::CharacterRagDoll(Character* character)
    : PhysicsRagDoll(character), character(character)
{}

CharacterRagDoll::Effect CharacterRagDoll::GetEffectEnum(const std::string& text)
{
    if (text == "Crumple")
        return Crumple;
    if (text == "TakeHit")
        return TakeHit;
    return Random;
}

Vec3 CharacterRagDoll::GetDirectionVec(const std::string& text, const WorldVec3& from,
                                       const WorldVec3& to)
{
    if (text != "Push" && text != "Pull")
        return Vec3();
    Vec3 target;
    if (!to.GetPositionInRegion(from.GetRegionId(), target))
        return Vec3();
    const Vec3 push = target - from.GetRegionPosition();
    // Equal points have no direction; Unit leaves the zero vector as it is.
    return text == "Push" ? push.Unit() : (-push).Unit();
}

Vec3 CharacterRagDoll::GetPushVec(const std::string& text, const WorldCoords& coords)
{
    if (text == "Left")
        return coords.GetRegionCoords().up;
    if (text == "Right")
        return -coords.GetRegionCoords().up;
    return Vec3();
}

Vec3 CharacterRagDoll::GetElevationVec(const std::string& text)
{
    if (text == "Upward")
        return Vec3(0.0f, kElevation, 0.0f);
    if (text == "Downward")
        return Vec3(0.0f, -kElevation, 0.0f);
    return Vec3();
}

void CharacterRagDoll::OnDisabled()
{
    if (character != nullptr && character->GetDeathManager() != nullptr)
        character->GetDeathManager()->ExternalEvent(Name::Create("PhysicsComplete"));
}

void CharacterRagDoll::SetInitialState()
{
    if (character == nullptr)
        return;
    switch (character->GetRagdollData().effect) {
    case Crumple:
        SetCrumple();
        break;
    case TakeHit:
        SetTakeHit();
        break;
    case Random:
        SetRandom();
        break;
    }
}

void CharacterRagDoll::SetRandom()
{
    for (size_t i = 0; i < GetRigidBodies().size(); ++i) {
        const float a = RandomFloat(-kRandomSideways, kRandomSideways);
        const float b = RandomFloat(-kRandomSideways, kRandomSideways);
        SetLinearVelocity(i, Vec3(b, kRandomUpward, a));
    }
}

void CharacterRagDoll::SetTakeHit()
{
    const EffectData& data = character->GetRagdollData();
    if (data.direction.LengthSquared() < kNoDirectionSquared)
        return;
    const float speed =
        Clamp(Max(1.0f, data.amplification) * data.speed, kTakeHitMinSpeed, kTakeHitMaxSpeed);
    const float spread = Clamp(speed * 0.5f, kTakeHitMinSpread, kTakeHitMaxSpread);
    Vec3 base = data.direction.Unit() * speed;
    base.y += speed * kTakeHitLift;
    for (size_t i = 0; i < GetRigidBodies().size(); ++i) {
        const float r1 = RandomFloat(-spread, spread);
        const float r2 = RandomFloat(-spread, spread);
        SetLinearVelocity(i, Vec3(base.x + r1, base.y, base.z + r2));
    }
}

void CharacterRagDoll::SetCrumple()
{
    const Vec3 motion = CapLength(character->GetMotion() * kCrumpleDamping, kCrumpleMaxSpeed);
    const GraphicsAnim* animation = character->GetCurrentAnimation();
    const AnimationChannel* channel = character->GetAnimationChannel(0);
    SkeletalPose now;
    SkeletalPose before;
    if (animation == nullptr || channel == nullptr || !HasMesh()) {
        SetLinearVelocity(motion);
        return;
    }
    const int32_t frame = CurrentFrame(*animation, *channel);
    // On the first frame the body came from the last one; one past it has no pose.
    const int32_t previous = frame > 0 ? frame - 1 : animation->GetLength() - 1;
    if (!animation->GetFramePose(frame, now) || !animation->GetFramePose(previous, before)) {
        SetLinearVelocity(motion);
        return;
    }
    const Coords& region = character->GetCoords().GetRegionCoords();
    const float frameRate = float(animation->GetFrameRate());
    for (size_t i = 0; i < GetRigidBodies().size(); ++i) {
        const RigidBody& body = GetRigidBodies()[i];
        const Vec3 moved =
            GetBodyCoords(region, now, body).origin - GetBodyCoords(region, before, body).origin;
        SetLinearVelocity(i, CapLength(moved * frameRate + motion, kCrumpleMaxSpeed));
    }
}

Coords CharacterRagDoll::GetBodyCoords(const Coords& region, const SkeletalPose& pose,
                                       const RigidBody& body) const
{
    Coords first;
    Coords second;
    GetAbsCoords(pose, body.firstBone, first);
    GetAbsCoords(pose, body.secondBone, second);
    return GetRigidBodyCoords(region * first, second);
}

} // namespace GAME
