#include "skills/Skill_WeaponPool_ChargedFinale.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "core/Saturate.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/Skill_WPAttack.h"

#include <cstdint>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_WeaponPool_ChargedFinale, SkillActivatedWeaponPool);

Skill_WeaponPool_ChargedFinale::Skill_WeaponPool_ChargedFinale()
{
    SetDisplayName("^bCharging Weapon Attack with Finale");
    SetWpUsesParentResources(false);
}

Skill_WeaponPool_ChargedFinale::~Skill_WeaponPool_ChargedFinale() = default;

bool Skill_WeaponPool_ChargedFinale::IsFullCharge() const
{
    return GetReplicatedCharge() >= GetMaxCharge();
}

void Skill_WeaponPool_ChargedFinale::WPAttackCallback(Character& /*owner*/,
                                                      const std::vector<uint32_t>& targets)
{
    if (targets.empty())
        return;
    SubtractManaCost();
    StartCooldown();
    if (!IsControllingSkill())
        return;
    if (charge < UINT32_MAX)
        ++charge;
    SendCharge();
    chargeTimer = ChargeDurationAt(charge);
}

void Skill_WeaponPool_ChargedFinale::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedWeaponPool::Update(owner, elapsedMs);
    chargeTimer = AddSaturating(chargeTimer, elapsedMs == INT32_MIN ? INT32_MAX : -elapsedMs);
    if (charge > 0 && chargeTimer < 1) {
        charge = 0;
        SendCharge();
    }
}

void Skill_WeaponPool_ChargedFinale::StopSkill(Character& /*owner*/)
{
    if (!IsControllingSkill())
        return;
    charge = 0;
    SendCharge();
    NotifyUIOnDeactivate();
}

void Skill_WeaponPool_ChargedFinale::ReceiveActiveUpdate(Character* owner,
                                                         const SkillActiveState& state,
                                                         bool initial)
{
    const SkillActiveState clamped = ClampedState(state);
    SkillActivatedWeaponPool::ReceiveActiveUpdate(owner, clamped, initial);
    AdoptCharge(clamped, initial);
    if (!initial && clamped.subLevel >= 1)
        SubtractManaCost();
    if (owner != nullptr)
        SetChargeEffect(*owner, static_cast<uint32_t>(clamped.subLevel));
}

void Skill_WeaponPool_ChargedFinale::SetChargeEffect(Character& owner, uint32_t level)
{
    if (currentAura != 0)
        owner.RemoveAura(currentAura);
    currentAura = 0;
    const std::string& name = GetSkillProfile().GetChargeAuraName(level);
    if (!name.empty())
        currentAura = owner.AddAura(name, true, 0);
}

void Skill_WeaponPool_ChargedFinale::TargetResult(Character& owner,
                                                  const std::vector<uint32_t>& targets,
                                                  const WorldCoords& origin, uint32_t seed,
                                                  uint32_t weaponId, bool melee)
{
    if (melee)
        ApplyMeleeDamage(owner, targets, origin, seed, weaponId);
    else
        ApplyRangedDamage(owner, targets, origin, seed, weaponId);
}

bool Skill_WeaponPool_ChargedFinale::StartAction(Character& owner, uint32_t targetId,
                                                 const WorldVec3& point, uint32_t seed)
{
    if (!IsFullCharge())
        return SkillActivatedWeaponPool::StartAction(owner, targetId, point, seed);
    if (!IsSkillEnabled())
        return false;
    const float speed = skillManager != nullptr ? skillManager->GetAttackSpeed() : 1.0f;
    if (StartSpecialAnimation(owner, speed, false))
        return true;
    return StartNormalAnimation(owner, AnimationSet_Attack, Name(), speed, false, 0);
}

void Skill_WeaponPool_ChargedFinale::SwipeAction(Character& owner, const Name& callback,
                                                 uint32_t targetId, const WorldVec3& point)
{
    if (!IsFullCharge()) {
        SkillActivatedWeaponPool::SwipeAction(owner, callback, targetId, point);
        return;
    }
    PlaySwipeSound(owner.GetCoords().GetPosition());
}

void Skill_WeaponPool_ChargedFinale::HitAction(Character& owner, const Name& callback,
                                               uint32_t targetId, const WorldVec3& point)
{
    if (!IsFullCharge()) {
        SkillActivatedWeaponPool::HitAction(owner, callback, targetId, point);
        return;
    }
    if (!Skill_WPAttack::ExecuteWeaponHit(*this, owner, callback, targetId, point))
        return;
    charge = 0;
    chargeTimer = 0;
    SendCharge();
}

} // namespace GAME
