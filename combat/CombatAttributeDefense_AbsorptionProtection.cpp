#include "combat/CombatAttributeDefense_AbsorptionProtection.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeDefense_AbsorptionProtection::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDefense_AbsorptionProtection(*this));
}

void CombatAttributeDefense_AbsorptionProtection::Process(const Character& /*who*/,
                                                          float scalePercent, float flat,
                                                          float percentReduction,
                                                          float absoluteReduction)
{
    absorption = ApplyModifier(absorption, absorptionModifier);
    protection = ApplyModifier(protection, protectionModifier);
    if (scalePercent > 0.0f)
        protection = scalePercent * 0.01f * protection;
    protection -= flat;
    protection = ApplyReduction(protection, percentReduction, absoluteReduction);
    absorptionModifier = 0.0f;
    protectionModifier = 0.0f;
}

void CombatAttributeDefense_AbsorptionProtection::Execute(CombatAttribute* target,
                                                          CombatAttributeRegion hitRegion)
{
    if (!target)
        return;
    if (region != hitRegion && region != CombatAttributeRegion_FullyProtected &&
        hitRegion != CombatAttributeRegion_FullyProtected)
        return;
    target->ReduceAbsoluteDamage(CombatAttributeType_AbsorptionProtection,
                                 absorption * 0.01f * protection);
    target->ReduceAbsoluteDamage(CombatAttributeType_Protection, protection);
}

void CombatAttributeDefense_AbsorptionProtection::ModifyAbsoluteDefense(CombatAttributeType modType,
                                                                        float amount)
{
    if (modType == CombatAttributeType_Absorption)
        absorptionModifier += amount;
    else if (modType == CombatAttributeType_Protection)
        protectionModifier += amount;
}

void CombatAttributeDefense_AbsorptionProtection::GetTotalDefense(float& absolute,
                                                                  float& /*overTime*/) const
{
    absolute += protection;
}

} // namespace GAME
