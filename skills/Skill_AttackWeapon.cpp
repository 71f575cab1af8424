#include "skills/Skill_AttackWeapon.h"

#include "characters/Character.h"
#include "engine/WorldCoords.h"
#include "skills/SkillContribution.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/Skill_WPAttack.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackWeapon, SkillActivated);

Skill_AttackWeapon::Skill_AttackWeapon()
{
    SetPrimary(true);
    SetSecondary(true);
    SetUseDefaultWhenOutOfMana(true);
}

Skill_AttackWeapon::~Skill_AttackWeapon() = default;

void Skill_AttackWeapon::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    if (warmUpActive)
        SkillContribution::Char(*this, acc, true);
}

void Skill_AttackWeapon::CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& acc) const
{
    if (warmUpActive)
        SkillContribution::Retaliation(*this, acc);
}

void Skill_AttackWeapon::CollectPassiveDefenseAttributes(CombatAttributeAccumulator& acc) const
{
    if (warmUpActive)
        SkillContribution::Defense(*this, acc);
}

void Skill_AttackWeapon::CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                                          RacialBonus_Defense& defense) const
{
    if (warmUpActive)
        SkillContribution::RacialDefense(*this, races, defense);
}

void Skill_AttackWeapon::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                                      bool melee)
{
    if (melee)
        ApplyMeleeDamage(owner, targets, origin, seed, weaponId);
    else
        ApplyRangedDamage(owner, targets, origin, seed, weaponId);
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
    warmUpWasActive = false;
}

void Skill_AttackWeapon::Cancel(Character& owner)
{
    SkillActivatedWeapon::Cancel(owner);
    if (!warmUpWasActive)
        return;
    // A charged swing cut short is still paid for.
    warmUpWasActive = false;
    SubtractManaCost();
    StartCooldown();
}

bool Skill_AttackWeapon::WarmUpStart()
{
    if (!IsSkillEnabled())
        return false;
    warmUpActive = GetSkillProfile().AllowsWarmUp();
    if (!warmUpActive)
        return false;
    if (Character* owner = HasManager() ? GetManager()->GetParent() : nullptr) {
        PlayWarmUpSound(owner->GetCoords().GetPosition());
        WarmUpEffect(*owner, true);
    }
    warmUpWasActive = true;
    return true;
}

void Skill_AttackWeapon::WarmUpEnd()
{
    if (!warmUpActive)
        return;
    warmUpActive = false;
    if (Character* owner = HasManager() ? GetManager()->GetParent() : nullptr)
        WarmUpEffect(*owner, false);
}

void Skill_AttackWeapon::ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                                     const WorldVec3& point)
{
    Skill_WPAttack::ExecuteWeaponHit(*this, owner, callback, targetId, point);
}

} // namespace GAME
