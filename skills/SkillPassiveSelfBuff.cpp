#include "skills/SkillPassiveSelfBuff.h"

#include "characters/Character.h"
#include "skills/SkillContribution.h"

namespace GAME {

SkillPassiveSelfBuff::SkillPassiveSelfBuff()
{
    SetPrimary(false);
    SetSecondary(false);
    SetRepeatable(false);
}

SkillPassiveSelfBuff::~SkillPassiveSelfBuff()
{
    shield.Release(*this);
}

void SkillPassiveSelfBuff::UnInstall(Character* owner)
{
    Skill::UnInstall(owner);
    shield.Release(*this);
}

void SkillPassiveSelfBuff::ApplySwitch(Character& owner, bool active, bool restoring)
{
    if (!restoring) {
        if (active) {
            shield.SwitchOn(*this, owner, *this);
        } else {
            StartCooldown();
            shield.SwitchOff(owner, *this);
        }
        PlayActivatedSounds(owner.GetCoords().GetPosition(), active);
    }
    ApplyActivatedVisualEffects(owner, active);
}

float SkillPassiveSelfBuff::ModifyDamage(float damage, CombatAttributeType type)
{
    return shield.Filter(*this, damage, type);
}

bool SkillPassiveSelfBuff::ProvidesInvulnerability(const std::vector<std::string>& /*races*/) const
{
    return false;
}

void SkillPassiveSelfBuff::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Char(*this, acc, false);
}

void SkillPassiveSelfBuff::CollectPassiveSkillAttributes(SkillAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::SkillAttributes(*this, acc);
}

void SkillPassiveSelfBuff::CollectPassiveOffensiveDamageAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::OffensiveDamage(*this, acc);
}

void SkillPassiveSelfBuff::CollectPassiveOffensiveModifierAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::OffensiveModifier(*this, acc);
}

void SkillPassiveSelfBuff::CollectPassiveRetaliationAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Retaliation(*this, acc);
}

void SkillPassiveSelfBuff::CollectPassiveDefenseAttributes(CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Defense(*this, acc);
}

void SkillPassiveSelfBuff::CollectPassiveRacialBonusDamage(const std::vector<std::string>& races,
                                                           RacialBonus_Damage& damage) const
{
    if (GetActiveState().active)
        SkillContribution::RacialDamage(*this, races, damage);
}

void SkillPassiveSelfBuff::CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                                            RacialBonus_Defense& defense) const
{
    if (GetActiveState().active)
        SkillContribution::RacialDefense(*this, races, defense);
}

} // namespace GAME
