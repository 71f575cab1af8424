#pragma once

#include "skills/SkillBuff_DebufTrap.h"

namespace GAME {

// A trap that freezes, resisted by freeze resistance.
class SkillBuff_DebufFreeze : public SkillBuff_DebufTrap {
    GAME_DECLARE_CLASS(SkillBuff_DebufFreeze)

public:
    SkillBuff_DebufFreeze();
    ~SkillBuff_DebufFreeze() override;

    void ApplyBuffDamage(Character& owner) override;
    float GetResistance(CombatAttributeAccumulator& acc) override;
};

} // namespace GAME
