// How a character turns, bends its spine and adjusts its pose, and the points it offers for its
// feet and chat balloons.
#include "characters/Character.h"
#include "characters/CharacterMovementManager.h"
#include "core/Helpers.h"
#include "engine/AmbianceManager.h"
#include "engine/Engine.h"
#include "engine/Region.h"
#include "engine/World.h"

#include <cmath>

namespace GAME {

namespace {

constexpr Vec3 kUp(0.0f, 1.0f, 0.0f);

} // namespace

void Character::RotateTowards(int32_t ms, const Vec3& direction, const WorldVec3& position)
{
    WorldCoords coords = GetCoords();
    Coords frame = coords.GetRegionCoords();
    const Vec3 want = Vec3(direction.x, 0.0f, direction.z).Unit();
    if (!(direction.Length() < 0.2f) && !disallowRotation && want.Length() > 0.0f) {
        const float d = Clamp(Dot(want, frame.forward), -1.0f, 1.0f);
        const float rate =
            maxRotationSpeed + (d + 1.0f) * (minRotationSpeed - maxRotationSpeed) * 0.5f;
        const float limit = rate * static_cast<float>(ms) * 0.001f;
        // The engine's look-at builds mirrored frames; judging the side on the right-handed
        // right axis, and keeping the frame's handedness, turns those the short way too.
        const Vec3 right = Cross(kUp, frame.forward);
        const bool mirrored = Dot(frame.right, right) < 0.0f;
        if (std::acos(d) < limit) {
            const Vec3 newRight = mirrored ? Cross(want, kUp) : Cross(kUp, want);
            frame = Coords(newRight, kUp, want, frame.origin);
        } else {
            const Coords turn =
                Coords::RotationAboutAxis(Dot(want, right) < 0.0f ? -limit : limit, kUp);
            frame = Coords(turn.TransformVector(frame.right), turn.TransformVector(frame.up),
                           turn.TransformVector(frame.forward), frame.origin);
        }
        coords.SetRegionCoords(frame);
    }
    coords.SetPosition(position);
    if (World* world = gEngine->GetWorld())
        world->SetCoords(this, coords);
}

void Character::SetSpineCurve(float curve)
{
    const float sign = curve >= 0.0f ? 1.0f : -1.0f;
    targetSpineCurve = sign * Min(std::fabs(curve), maxSpineCurve);
}

void Character::Update_TweakPose(int32_t ms)
{
    float step = static_cast<float>(ms) * 0.001f * spineCurveRate;
    step = spineCurve < targetSpineCurve ? std::fabs(step) : -std::fabs(step);
    if (std::fabs(step) <= std::fabs(targetSpineCurve - spineCurve))
        spineCurve += step;
    else
        spineCurve = targetSpineCurve;
}

void Character::TweakPose()
{
    Actor::TweakPose();
    TweakPose_Breasts();
}

void Character::SetBreastSupport(float value)
{
    breastSupport = Clamp(value, 0.0f, 1.0f);
}

void Character::TweakPose_Breasts()
{
    static const Name bone = Name::Create("Bone_Boob");
    if (!(breastSupport > 0.0f))
        return;
    SkeletalPose pose = GetPose();
    Coords coords;
    // A skeleton without the bone has nothing to support.
    if (!pose.GetBoneCoords(bone, coords))
        return;
    pose.SetBoneCoords(bone, breastSupport >= 1.0f
                                 ? Coords()
                                 : Coords::Interpolate(coords, Coords(), breastSupport));
    SetPose(pose);
}

void Character::SetPointOfInterest(const Vec3& point)
{
    pointOfInterest = point;
    hasPointOfInterest = true;
}

WorldCoords Character::GetChatCoords() const
{
    WorldCoords coords = GetCoords();
    WorldVec3 position = coords.GetPosition();
    position.Translate(Vec3(0.0f, 2.0f * GetMeshBoundingRadius() + 2.3f, 0.0f));
    coords.SetPosition(position);
    return coords;
}

WorldCoords Character::GetFootCoords(bool left) const
{
    static const Name leftFoot = Name::Create("Bone_L_Foot");
    static const Name rightFoot = Name::Create("Bone_R_Foot");
    WorldCoords coords = GetCoords();
    coords.SetPosition(GetBoneCoords(left ? leftFoot : rightFoot).GetPosition());
    return coords;
}

float Character::GetAmbientHighlight() const
{
    const Region* region = GetCoords().GetRegion();
    if (region == nullptr || !region->IsUnderground())
        return 0.0f;
    const Color& sky = AmbianceManager::Instance().GetSkyAmbientColor(0);
    return Max(0.0f, 0.4f - 0.333f * (sky.red + sky.green + sky.blue));
}

void Character::DebugRender()
{
    if (gEngine->IsCharacterDataLogEnabled() && DoDebugRender())
        movementManager->DebugRender();
}

} // namespace GAME
