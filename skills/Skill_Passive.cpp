#include "skills/Skill_Passive.h"

#include "skills/SkillContribution.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_Passive, Skill);

Skill_Passive::Skill_Passive()
{
    SetPrimary(false);
    SetSecondary(false);
    SetIgnoreMana(true);
}

Skill_Passive::~Skill_Passive() = default;

void Skill_Passive::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::Char(*this, acc, true);
}

void Skill_Passive::CollectPassiveSkillAttributes(SkillAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::SkillAttributes(*this, acc);
}

void Skill_Passive::CollectPassiveOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::OffensiveDamage(*this, acc);
}

void Skill_Passive::CollectPassiveOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::OffensiveModifier(*this, acc);
}

void Skill_Passive::CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::Retaliation(*this, acc);
}

void Skill_Passive::CollectPassiveDefenseAttributes(CombatAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::Defense(*this, acc);
}

void Skill_Passive::CollectPassiveRacialBonusDamage(const std::vector<std::string>& races,
                                                    RacialBonus_Damage& damage) const
{
    if (IsSkillEnabled())
        SkillContribution::RacialDamage(*this, races, damage);
}

void Skill_Passive::CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                                     RacialBonus_Defense& defense) const
{
    if (IsSkillEnabled())
        SkillContribution::RacialDefense(*this, races, defense);
}

} // namespace GAME
