#include "combat/CombatAttributeDamage_BasePhysical.h"

#include "characters/Character.h"
#include "core/Helpers.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeDamage_BasePhysical::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDamage_BasePhysical(*this));
}

void CombatAttributeDamage_BasePhysical::Process(const Character& attacker, float scalePercent,
                                                 float flat, float percentReduction,
                                                 float absoluteReduction)
{
    physical = Max(ApplyModifier(physical, physicalModifier), 0.0f);
    if (physical > 0.0f && useEquations)
        physical = attacker.DesignerCalculatePhysicalDamage(physical);
    pierceRatio = Clamp(ApplyModifier(pierceRatio, pierceRatioModifier), 0.0f, 100.0f);
    pierce = pierceRatio * 0.01f * physical;
    physical = Max(physical - pierce, 0.0f);
    pierce = Max(ApplyModifier(pierce, pierceModifier), 0.0f);
    if (pierce > 0.0f && useEquations)
        pierce = Max(attacker.DesignerCalculatePierceDamage(pierce), 0.0f);
    if (scalePercent != 0.0f) {
        physical = scalePercent * 0.01f * physical;
        pierce = scalePercent * 0.01f * pierce;
    }
    physical = ApplyReduction(physical - flat, percentReduction, absoluteReduction);
    pierce = ApplyReduction(pierce - flat, percentReduction, absoluteReduction);
    physical = Max(physical, 0.0f);
    pierce = Max(pierce, 0.0f);
    pierceRatio = 0.0f;
    physicalModifier = 0.0f;
    pierceRatioModifier = 0.0f;
    pierceModifier = 0.0f;
}

float CombatAttributeDamage_BasePhysical::ProcessBluntDamageModifier(float factor)
{
    physical = Max(factor * physical, 0.0f);
    pierce = Max(factor * pierce, 0.0f);
    return physical;
}

// Armour protects against the physical part only.
void CombatAttributeDamage_BasePhysical::Execute(Character& defender)
{
    if (physical > 0.0f)
        physical = defender.DesignerCalculatePhysicalDamageDefense(physical, protection, absorbed,
                                                                   protectionBonus);
    if (physical > 0.0f)
        defender.ApplyDamage(physical, StatsType(CombatAttributeType_Physical),
                             CombatAttributeType_Physical);
    if (pierce > 0.0f)
        defender.ApplyDamage(pierce, StatsType(CombatAttributeType_Pierce),
                             CombatAttributeType_Pierce);
}

void CombatAttributeDamage_BasePhysical::GetTotalDamage(float& absolute, float& /*overTime*/)
{
    absolute += pierce + physical;
}

void CombatAttributeDamage_BasePhysical::ModifyAbsoluteDamage(CombatAttributeType modType,
                                                              float amount)
{
    switch (modType) {
    case CombatAttributeType_Physical:
        physicalModifier += amount;
        break;
    case CombatAttributeType_PierceRatio:
        pierceRatioModifier += amount;
        break;
    case CombatAttributeType_Pierce:
        pierceModifier += amount;
        break;
    default:
        break;
    }
}

// Armour does not shrink the hit here: it is gathered for the defense formula at execution.
void CombatAttributeDamage_BasePhysical::ReduceAbsoluteDamage(CombatAttributeType reduceType,
                                                              float percent)
{
    const float factor = 1.0f - percent * 0.01f;
    switch (reduceType) {
    case CombatAttributeType_Physical:
        physical = Max(factor * physical, 0.0f);
        break;
    case CombatAttributeType_Pierce:
        pierce = Max(factor * pierce, 0.0f);
        break;
    case CombatAttributeType_PhysicalPierce:
        physical = Max(factor * physical, 0.0f);
        pierce = Max(factor * pierce, 0.0f);
        break;
    case CombatAttributeType_AbsorptionProtection:
        absorbed += percent;
        break;
    case CombatAttributeType_Protection:
        protection += percent;
        break;
    default:
        break;
    }
}

void CombatAttributeDamage_BasePhysical::DamageReductionByShield(const Character& defender,
                                                                 float shieldDefense,
                                                                 float shieldAbsorption)
{
    physical = BlockedByShield(defender, physical, shieldDefense, shieldAbsorption);
    pierce = BlockedByShield(defender, pierce, shieldDefense, shieldAbsorption);
}

void CombatAttributeDamage_BasePhysical::ScaleDamage(float percent)
{
    if (percent <= 0.0f)
        return;
    physical = percent * 0.01f * physical;
    pierce = percent * 0.01f * pierce;
}

} // namespace GAME
