#pragma once

#include "skills/SkillBuff.h"

namespace GAME {

// Damage over time: every interval an attack from the caster, rolled alike on every machine.
class SkillBuff_Debuf : public SkillBuff {
    GAME_DECLARE_CLASS(SkillBuff_Debuf)

public:
    SkillBuff_Debuf();
    ~SkillBuff_Debuf() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void DispelDeBuff(Character& owner) override;
    // A debuff hurts its receiver; it lends the receiver's own attacks nothing.
    void CollectPassiveOffensiveDamageAttributes(CombatAttributeAccumulator& /*acc*/) const override
    {}
    void
    CollectPassiveOffensiveModifierAttributes(CombatAttributeAccumulator& /*acc*/) const override
    {}

private:
    int32_t countdown = 0;
    int32_t interval = 1000; // ms
};

} // namespace GAME
