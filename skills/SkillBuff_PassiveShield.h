#pragma once

#include "skills/SkillBuff_Passive.h"

namespace GAME {

// Breaks once the damage it took off reaches its absorption.
class SkillBuff_PassiveShield : public SkillBuff_Passive {
    GAME_DECLARE_CLASS(SkillBuff_PassiveShield)

public:
    SkillBuff_PassiveShield();
    ~SkillBuff_PassiveShield() override;

    float ModifyDamage(float damage, CombatAttributeType type) override;
    void InitializeBuff() override;
    float GetShieldLeft() const { return shieldLeft; }

private:
    float shieldLeft = 0.0f;
};

} // namespace GAME
