#pragma once

#include "skills/Skill.h"

namespace GAME {

// Changes the skill it is listed after; may be listed again to attach again. The base skill
// reaches these through its modifier forwarders, so a modifier adds only while its base does.
class Skill_Modifier : public Skill {
    GAME_DECLARE_CLASS(Skill_Modifier)

public:
    Skill_Modifier();
    ~Skill_Modifier() override;

    virtual void CollectModifierCharAttributes(CharAttributeAccumulator& acc) const;
    virtual void CollectModifierSkillAttributes(SkillAttributeAccumulator& acc) const;
    virtual void CollectModifierOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const;
    virtual void CollectModifierOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const;
    virtual void CollectModifierRetaliationAttributes(CombatAttributeAccumulator& acc) const;
    virtual void CollectModifierDefenseAttributes(CombatAttributeAccumulator& acc) const;
    virtual void CollectModifierRacialBonusDamage(const std::vector<std::string>& races,
                                                  RacialBonus_Damage& damage) const;
    virtual void CollectModifierRacialBonusDefense(const std::vector<std::string>& races,
                                                   RacialBonus_Defense& defense) const;

protected:
    // One attack per target that still resolves, all drawn from the result's seed so every
    // machine rolls alike. A projectile hit aims its rag doll from `ragDollFrom`; a melee hit
    // shows the target effect instead.
    void AttackTargets(Character& owner, const std::vector<uint32_t>& targets, uint32_t seed,
                       ParametersCombatStyle style, uint32_t weaponId,
                       const WorldCoords* ragDollFrom);
};

} // namespace GAME
