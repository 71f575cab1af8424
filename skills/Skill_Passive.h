#pragma once

#include "skills/Skill.h"

namespace GAME {

// A skill that only adds to its owner while learnt and enabled; never short of mana.
class Skill_Passive : public Skill {
    GAME_DECLARE_CLASS(Skill_Passive)

public:
    Skill_Passive();
    ~Skill_Passive() override;

    void CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const override;
    void CollectPassiveSkillAttributes(SkillAttributeAccumulator& acc) const override;
    void CollectPassiveOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveDefenseAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveRacialBonusDamage(const std::vector<std::string>& races,
                                         RacialBonus_Damage& damage) const override;
    void CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                          RacialBonus_Defense& defense) const override;
};

} // namespace GAME
