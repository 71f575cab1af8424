#pragma once

#include "combat/CombatAttributeDamage.h"

namespace GAME {

// Drains `value` percent of the defender's whole mana (no more than it has) and deals `ratio`
// percent of what was drained as damage. Modifiers of its type raise the ratio, not the drain.
class CombatAttributeAbsDamage_ManaBurn : public CombatAttributeAbsDamage {
public:
    CombatAttributeAbsDamage_ManaBurn(CombatAttributeType type, float value, float ratio)
        : CombatAttributeAbsDamage(type, value), ratio(ratio)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;
    void ModifyAbsoluteDamage(CombatAttributeType modType, float amount) override;
    void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent) override;

    float GetRatio() const { return ratio; }

protected:
    CombatAttributeAbsDamage_ManaBurn(const CombatAttributeAbsDamage_ManaBurn&) = default;

private:
    float ratio; // percent of the drained mana dealt as damage
};

} // namespace GAME
