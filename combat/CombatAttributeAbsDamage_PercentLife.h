#pragma once

#include "combat/CombatAttributeDamage.h"

namespace GAME {

// Takes a percent of the defender's current life; a reduction against Life weakens it too.
class CombatAttributeAbsDamage_PercentLife : public CombatAttributeAbsDamage {
public:
    using CombatAttributeAbsDamage::CombatAttributeAbsDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;
    void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent) override;

protected:
    CombatAttributeAbsDamage_PercentLife(const CombatAttributeAbsDamage_PercentLife&) = default;
};

} // namespace GAME
