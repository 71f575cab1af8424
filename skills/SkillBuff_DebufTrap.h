#pragma once

#include "skills/SkillBuff_Debuf.h"

namespace GAME {

// Traps its receiver every interval; the receiver's resistance shortens it.
class SkillBuff_DebufTrap : public SkillBuff_Debuf {
    GAME_DECLARE_CLASS(SkillBuff_DebufTrap)

public:
    SkillBuff_DebufTrap();
    ~SkillBuff_DebufTrap() override;

    void Install(Character* owner) override;
    void Update(Character& owner, int32_t elapsedMs) override;

    virtual void ApplyBuffDamage(Character& owner);
    // The receiver's resistance in percent, from its processed defenses.
    virtual float GetResistance(CombatAttributeAccumulator& acc);

protected:
    // Freeze shares the trap's numbers.
    void ApplyFixedDamage(Character& owner, CombatAttributeType type) const;

private:
    int32_t trapCountdown = 0;
    float strength = 0.25f;
    int32_t interval = 100; // ms
};

} // namespace GAME
