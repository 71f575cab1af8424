#pragma once

#include "combat/CombatAttributeDamage.h"

namespace GAME {

// Raises the percent of this attack's damage that the attacker drinks back as life.
class CombatAttributeAbsDamage_LifeLeech : public CombatAttributeAbsDamage {
public:
    using CombatAttributeAbsDamage::CombatAttributeAbsDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;

protected:
    CombatAttributeAbsDamage_LifeLeech(const CombatAttributeAbsDamage_LifeLeech&) = default;
};

} // namespace GAME
