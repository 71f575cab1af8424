#pragma once

#include "combat/CombatAttribute.h"

#include <memory>

namespace GAME {

// Physical damage that bypasses the attack's processing: neither the skill's damage percent,
// nor modifiers, nor the attacker's damage reductions touch it. Defenses, shields and scaling
// act on it as on any damage dealt at once.
class CombatAttributeDamage_BonusPhysical : public CombatAttribute {
public:
    CombatAttributeDamage_BonusPhysical(CombatAttributeType type, float value)
        : CombatAttribute(type), value(value)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;
    void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent) override;
    void DamageReductionByShield(const Character& defender, float shieldDefense,
                                 float shieldAbsorption) override;
    void ScaleDamage(float percent) override;

    float GetValue() const { return value; }

protected:
    CombatAttributeDamage_BonusPhysical(const CombatAttributeDamage_BonusPhysical&) = default;

private:
    float value;
};

} // namespace GAME
