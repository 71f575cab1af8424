#pragma once

#include "combat/CombatFilter.h"
#include "skills/Skill.h"
#include "skills/SkillSelfBuffShield.h"

namespace GAME {

// What the on-hit and on-life self buffs share: while on they give their numbers and shield
// their owner, off they start their cooldown. Not a kind of its own: each kind registers
// directly under the skill.
class SkillPassiveSelfBuff : public Skill, public CombatFilter {
public:
    SkillPassiveSelfBuff();
    ~SkillPassiveSelfBuff() override;

    void UnInstall(Character* owner) override;

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

    float ModifyDamage(float damage, CombatAttributeType type) override;
    bool ProvidesInvulnerability(const std::vector<std::string>& races) const override;

protected:
    // The switch every machine applies: shield on or off (cooldown when off) and the sounds,
    // except when the state is only restored; the visual effects always.
    void ApplySwitch(Character& owner, bool active, bool restoring);

private:
    SkillSelfBuffShield shield;
};

} // namespace GAME
