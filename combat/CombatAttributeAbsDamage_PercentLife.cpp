#include "combat/CombatAttributeAbsDamage_PercentLife.h"

#include "characters/Character.h"
#include "core/Helpers.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeAbsDamage_PercentLife::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDamage_PercentLife(*this));
}

void CombatAttributeAbsDamage_PercentLife::Execute(Character& defender)
{
    if (value > 0.0f)
        defender.ApplyDamage(defender.GetCurrentLife() * (value * 0.01f), StatsType(GetType()),
                             GetType());
}

void CombatAttributeAbsDamage_PercentLife::GetTotalDamage(float& /*absolute*/, float& /*overTime*/)
{}

void CombatAttributeAbsDamage_PercentLife::ReduceAbsoluteDamage(CombatAttributeType reduceType,
                                                                float percent)
{
    if (reduceType == GetType() || reduceType == CombatAttributeType_Life)
        value = (1.0f - percent * 0.01f) * value;
    value = Max(value, 0.0f);
}

} // namespace GAME
