#include "skills/SkillContribution.h"

#include "skills/Skill.h"
#include "skills/SkillProfile.h"

namespace GAME {

void SkillContribution::Char(const Skill& skill, CharAttributeAccumulator& acc, bool withPenalty)
{
    const uint32_t level = skill.GetCurrentLevel();
    skill.GetSkillProfile().GetCharAttributes(acc, level);
    if (withPenalty)
        skill.GetSkillProfile().GetCharAttributesPenalty(acc, level);
    skill.AddModifierCharAttributes(acc);
}

void SkillContribution::SkillAttributes(const Skill& skill, SkillAttributeAccumulator& acc)
{
    skill.GetSkillProfile().GetSkillAttributes(acc, skill.GetCurrentLevel());
    skill.AddModifierSkillAttributes(acc);
}

void SkillContribution::OffensiveDamage(const Skill& skill, CombatAttributeAccumulator& acc)
{
    skill.GetSkillProfile().GetOffensiveDamageAttributes(acc, skill.GetCurrentLevel());
    skill.AddModifierOffensiveDamageAttributes(acc);
}

void SkillContribution::OffensiveModifier(const Skill& skill, CombatAttributeAccumulator& acc)
{
    skill.GetSkillProfile().GetOffensiveModifierAttributes(acc, skill.GetCurrentLevel());
    skill.AddModifierOffensiveModifierAttributes(acc);
}

void SkillContribution::Retaliation(const Skill& skill, CombatAttributeAccumulator& acc)
{
    skill.GetSkillProfile().GetRetaliationAttributes(acc, skill.GetCurrentLevel());
    skill.AddModifierRetaliationAttributes(acc);
}

void SkillContribution::Defense(const Skill& skill, CombatAttributeAccumulator& acc)
{
    skill.GetSkillProfile().GetDefenseAttributes(acc, skill.GetCurrentLevel());
    skill.AddModifierDefenseAttributes(acc);
}

void SkillContribution::RacialDamage(const Skill& skill, const std::vector<std::string>& races,
                                     RacialBonus_Damage& damage)
{
    skill.GetSkillProfile().GetRacialBonusDamage(races, damage, skill.GetCurrentLevel());
    skill.AddModifierRacialBonusDamage(races, damage);
}

void SkillContribution::RacialDefense(const Skill& skill, const std::vector<std::string>& races,
                                      RacialBonus_Defense& defense)
{
    skill.GetSkillProfile().GetRacialBonusDefense(races, defense, skill.GetCurrentLevel());
    skill.AddModifierRacialBonusDefense(races, defense);
}

} // namespace GAME
