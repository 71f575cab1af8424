#include "combat/CombatAttributeMod.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeAbsDamageMod::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDamageMod(*this));
}

void CombatAttributeAbsDamageMod::Execute(CombatAttribute* target, CombatAttributeRegion)
{
    if (target)
        target->ModifyAbsoluteDamage(GetType(), value);
}

std::unique_ptr<CombatAttribute> CombatAttributeDurDamageMod::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDurDamageMod(*this));
}

void CombatAttributeDurDamageMod::Execute(CombatAttribute* target, CombatAttributeRegion)
{
    if (target)
        target->ModifyDurationDamage(GetType(), valueModifier, durationModifier);
}

std::unique_ptr<CombatAttribute> CombatAttributeAbsDefenseMod::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDefenseMod(*this));
}

void CombatAttributeAbsDefenseMod::Execute(CombatAttribute* target, CombatAttributeRegion)
{
    if (target)
        target->ModifyAbsoluteDefense(GetType(), value);
}

std::unique_ptr<CombatAttribute> CombatAttributeDurDefenseMod::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDurDefenseMod(*this));
}

void CombatAttributeDurDefenseMod::Execute(CombatAttribute* target, CombatAttributeRegion)
{
    if (target)
        target->ModifyDurationDefense(GetType(), value);
}

} // namespace GAME
