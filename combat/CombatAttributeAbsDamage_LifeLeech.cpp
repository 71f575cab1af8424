#include "combat/CombatAttributeAbsDamage_LifeLeech.h"

#include "characters/Character.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeAbsDamage_LifeLeech::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDamage_LifeLeech(*this));
}

void CombatAttributeAbsDamage_LifeLeech::Execute(Character& defender)
{
    if (value > 0.0f)
        defender.CombatAddLifeLeechDamage(value);
}

} // namespace GAME
