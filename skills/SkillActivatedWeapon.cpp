#include "skills/SkillActivatedWeapon.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/Weapon.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"

#include <algorithm>
#include <cmath>

namespace GAME {

namespace {

// A player aiming this far off the facing turns on the spot.
constexpr float kTurnDegrees = 45.0f;
constexpr float kRadiansToDegrees = 57.29578f;

WorldVec3 AimOf(uint32_t targetId, const WorldVec3& point)
{
    if (const auto* target = ObjectManager::Instance().GetObject<Character>(targetId))
        return target->GetCoords().GetPosition();
    return point;
}

void SetTrail(uint32_t weaponId, bool on)
{
    Weapon* weapon = ObjectManager::Instance().GetObject<Weapon>(weaponId);
    if (weapon == nullptr)
        return;
    if (on)
        weapon->EnableWeaponTrail();
    else
        weapon->DisableWeaponTrail();
}

} // namespace

SkillActivatedWeapon::SkillActivatedWeapon()
{
    SetTargetType(SkillTargetType_Enemy);
}

SkillActivatedWeapon::~SkillActivatedWeapon() = default;

void SkillActivatedWeapon::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivated::Update(owner, elapsedMs);
    if (skillManager == nullptr)
        return;
    ranged = skillManager->IsRangedWeapon();
    rangeProfile = ranged ? skillManager->GetWeaponRangeProfile() : RangeProfile_Melee;
}

bool SkillActivatedWeapon::GetValidTarget(const Character& owner, uint32_t& target,
                                          const WorldVec3& point, bool aroundSelf, float radius)
{
    if (ranged)
        return GetValidRangedTarget(owner, target, point, aroundSelf, radius);
    return GetValidMeleeTarget(owner, target, point, aroundSelf, radius,
                               GetSkillProfile().AllowsWarmUp());
}

float SkillActivatedWeapon::GetRunSpeedAcceleration() const
{
    SkillProfile_Modifiers modifiers;
    GetSkillModifierData(modifiers);
    return modifiers.GetSpeedAcceleration();
}

bool SkillActivatedWeapon::StartAction(Character& owner, uint32_t targetId, const WorldVec3& point,
                                       uint32_t /*seed*/)
{
    if (!IsSkillEnabled())
        return false;
    AnimationSet_Type type = AnimationSet_Attack;
    if (DynamicCast<Player>(&owner) != nullptr) {
        const WorldCoords& coords = owner.GetCoords();
        Vec3 aim;
        // An aim on the player's own spot gives no direction to turn to.
        if (AimOf(targetId, point).GetPositionInRegion(coords.GetRegionId(), aim) &&
            (aim - coords.GetRegionCoords().origin).LengthSquared() > 0.0f) {
            const Vec3 direction = (aim - coords.GetRegionCoords().origin).Unit();
            const float cosine =
                std::clamp(Dot(coords.GetRegionCoords().forward, direction), -1.0f, 1.0f);
            if (std::acos(cosine) * kRadiansToDegrees >= kTurnDegrees) {
                owner.RotateTowardsTarget(false);
                type = Dot(coords.GetRegionCoords().right, direction) >= 0.0f
                           ? AnimationSet_AttTurnLeft90
                           : AnimationSet_AttTurnRight90;
            }
        }
    }
    const float speed = skillManager != nullptr ? skillManager->GetAttackSpeed() : 1.0f;
    return StartNormalAnimation(owner, type, Name(), speed, false, 0);
}

void SkillActivatedWeapon::SwipeAction(Character& owner, const Name& callback,
                                       uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    static const Name kSwipeRight = Name::Create("SwipeRight");
    static const Name kSwipeLeft = Name::Create("SwipeLeft");
    static const Name kSwipeBoth = Name::Create("SwipeBoth");
    PlayWeaponSwipeSound(owner, callback);
    PlaySwipeSound(owner.GetCoords().GetPosition());
    if (skillManager == nullptr)
        return;
    if (callback == kSwipeRight || callback == kSwipeBoth)
        SetTrail(skillManager->GetRightHandWeapon(), true);
    if (callback == kSwipeLeft || callback == kSwipeBoth)
        SetTrail(skillManager->GetLeftHandWeapon(), true);
}

void SkillActivatedWeapon::HitAction(Character& owner, const Name& callback, uint32_t targetId,
                                     const WorldVec3& point)
{
    ActivateNow(owner, callback, targetId, point);
}

bool SkillActivatedWeapon::EndAction(Character& /*owner*/)
{
    if (skillManager != nullptr) {
        SetTrail(skillManager->GetRightHandWeapon(), false);
        SetTrail(skillManager->GetLeftHandWeapon(), false);
    }
    return true;
}

} // namespace GAME
