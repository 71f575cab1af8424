#pragma once

#include "combat/CombatAttributeDamage.h"

namespace GAME {

// Adds `value` seconds of cooldown to the defender's skills.
class CombatAttributeAbsDamage_Disruption : public CombatAttributeAbsDamage {
public:
    using CombatAttributeAbsDamage::CombatAttributeAbsDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;

protected:
    CombatAttributeAbsDamage_Disruption(const CombatAttributeAbsDamage_Disruption&) = default;
};

} // namespace GAME
