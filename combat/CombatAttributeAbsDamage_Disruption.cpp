#include "combat/CombatAttributeAbsDamage_Disruption.h"

#include "characters/Character.h"
#include "core/Saturate.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeAbsDamage_Disruption::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDamage_Disruption(*this));
}

void CombatAttributeAbsDamage_Disruption::Execute(Character& defender)
{
    if (value > 0.0f)
        defender.CombatAddCooldownDamage(SaturateToInt(static_cast<double>(value * 1000.0f)));
}

void CombatAttributeAbsDamage_Disruption::GetTotalDamage(float& /*absolute*/, float& /*overTime*/)
{}

} // namespace GAME
