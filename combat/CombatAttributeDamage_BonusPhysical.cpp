#include "combat/CombatAttributeDamage_BonusPhysical.h"

#include "characters/Character.h"
#include "core/Helpers.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeDamage_BonusPhysical::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDamage_BonusPhysical(*this));
}

void CombatAttributeDamage_BonusPhysical::Execute(Character& defender)
{
    defender.ApplyDamage(value, StatsType(GetType()), GetType());
}

void CombatAttributeDamage_BonusPhysical::GetTotalDamage(float& absolute, float& /*overTime*/)
{
    absolute += value;
}

// From here on it is taken like any damage dealt at once.
void CombatAttributeDamage_BonusPhysical::ReduceAbsoluteDamage(CombatAttributeType reduceType,
                                                               float percent)
{
    if (reduceType == GetType())
        value = (1.0f - percent * 0.01f) * value;
    value = Max(value, 0.0f);
}

void CombatAttributeDamage_BonusPhysical::DamageReductionByShield(const Character& defender,
                                                                  float shieldDefense,
                                                                  float shieldAbsorption)
{
    value = BlockedByShield(defender, value, shieldDefense, shieldAbsorption);
}

void CombatAttributeDamage_BonusPhysical::ScaleDamage(float percent)
{
    if (percent > 0.0f)
        value = percent * 0.01f * value;
}

} // namespace GAME
