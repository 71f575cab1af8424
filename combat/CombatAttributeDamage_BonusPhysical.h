#pragma once

#include "combat/CombatAttributeDamage.h"

namespace GAME {

// Physical damage that bypasses the attack's processing: neither the skill's damage percent,
// nor modifiers, nor the attacker's damage reductions touch it. Defenses, shields and scaling
// act on it as on any damage dealt at once.
class CombatAttributeDamage_BonusPhysical : public CombatAttributeAbsDamage {
public:
    using CombatAttributeAbsDamage::CombatAttributeAbsDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& who, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    void ModifyAbsoluteDamage(CombatAttributeType modType, float amount) override;

protected:
    CombatAttributeDamage_BonusPhysical(const CombatAttributeDamage_BonusPhysical&) = default;
};

} // namespace GAME
