#include "combat/CombatAttribute.h"

#include "characters/Character.h"
#include "core/Helpers.h"

#include <cmath>

namespace GAME {

float CombatAttribute::ApplyModifier(float value, float percent)
{
    return value + std::fabs(value) * (percent * 0.01f);
}

float CombatAttribute::ApplyReduction(float value, float percent, float absolute)
{
    return value - (std::fabs(value) * (percent * 0.01f) + absolute);
}

float CombatAttribute::BlockedByShield(const Character& defender, float value, float shieldDefense,
                                       float shieldAbsorption)
{
    return Max(defender.DesignerCalculateShieldBlockDamageReduction(value, shieldDefense,
                                                                    shieldAbsorption),
               0.0f);
}

float CombatAttribute::ProcessDefenseValue(float value, float modifierPercent, float scalePercent,
                                           float percentReduction, float absoluteReduction)
{
    value = ApplyModifier(value, modifierPercent);
    if (scalePercent > 0.0f)
        value = scalePercent * 0.01f * value;
    return ApplyReduction(value, percentReduction, absoluteReduction);
}

void CombatAttribute::Process(const Character& /*who*/, float /*scalePercent*/, float /*flat*/,
                              float /*percentReduction*/, float /*absoluteReduction*/)
{}

float CombatAttribute::ProcessBluntDamageModifier(float /*factor*/)
{
    return 0.0f;
}

void CombatAttribute::Execute(Character& /*defender*/) {}

void CombatAttribute::Execute(CombatAttribute* /*target*/, CombatAttributeRegion /*region*/) {}

void CombatAttribute::GetTotalDamage(float& /*absolute*/, float& /*overTime*/) {}

void CombatAttribute::GetTotalDefense(float& /*absolute*/, float& /*overTime*/) const {}

void CombatAttribute::ModifyAbsoluteDamage(CombatAttributeType /*modType*/, float /*value*/) {}

void CombatAttribute::ModifyDurationDamage(CombatAttributeType /*modType*/, float /*value*/,
                                           float /*duration*/)
{}

void CombatAttribute::ModifyAbsoluteDefense(CombatAttributeType /*modType*/, float /*value*/) {}

void CombatAttribute::ModifyDurationDefense(CombatAttributeType /*modType*/, float /*value*/) {}

void CombatAttribute::ReduceAbsoluteDamage(CombatAttributeType /*reduceType*/, float /*percent*/) {}

void CombatAttribute::DamageReductionByShield(const Character& /*defender*/,
                                              float /*shieldDefense*/, float /*shieldAbsorption*/)
{}

void CombatAttribute::ReduceDurationDamage(CombatAttributeType /*reduceType*/, float /*percent*/) {}

void CombatAttribute::ScaleDamage(float /*percent*/) {}

bool CombatAttribute::MergeDefense(CombatAttribute* /*other*/)
{
    return false;
}

} // namespace GAME
