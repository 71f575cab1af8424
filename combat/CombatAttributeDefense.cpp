#include "combat/CombatAttributeDefense.h"

namespace GAME {

namespace {

// Resistances of one type pool into a single entry, whichever source granted them.
bool MergeSameType(CombatAttributeType type, float& value, CombatAttribute* other)
{
    if (!other || other->GetType() != type)
        return false;
    value += other->GetDefense();
    return true;
}

} // namespace

std::unique_ptr<CombatAttribute> CombatAttributeAbsDefense::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDefense(*this));
}

void CombatAttributeAbsDefense::Execute(CombatAttribute* target, CombatAttributeRegion)
{
    if (target)
        target->ReduceAbsoluteDamage(GetType(), value);
}

void CombatAttributeAbsDefense::ModifyAbsoluteDefense(CombatAttributeType modType, float amount)
{
    if (modType == GetType())
        modifier += amount;
}

void CombatAttributeAbsDefense::GetTotalDefense(float& absolute, float& /*overTime*/) const
{
    absolute += value;
}

bool CombatAttributeAbsDefense::MergeDefense(CombatAttribute* other)
{
    return MergeSameType(GetType(), value, other);
}

std::unique_ptr<CombatAttribute> CombatAttributeDurDefense::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDurDefense(*this));
}

void CombatAttributeDurDefense::Execute(CombatAttribute* target, CombatAttributeRegion)
{
    if (target)
        target->ReduceDurationDamage(GetType(), value);
}

void CombatAttributeDurDefense::ModifyDurationDefense(CombatAttributeType modType, float amount)
{
    if (modType == GetType())
        modifier += amount;
}

void CombatAttributeDurDefense::GetTotalDefense(float& /*absolute*/, float& overTime) const
{
    overTime += value;
}

bool CombatAttributeDurDefense::MergeDefense(CombatAttribute* other)
{
    return MergeSameType(GetType(), value, other);
}

std::unique_ptr<CombatAttribute> CombatAttributeDefenseMisc::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDefenseMisc(*this));
}

// Unlike a resistance it has no cap, and unlike damage it may go below zero.
void CombatAttributeDefenseMisc::Process(const Character& /*who*/, float scalePercent,
                                         float /*flat*/, float percentReduction,
                                         float absoluteReduction)
{
    value = ApplyModifier(value, modifier);
    if (scalePercent > 0.0f)
        value = scalePercent * 0.01f * value;
    value = ApplyReduction(value, percentReduction, absoluteReduction);
    modifier = 0.0f;
}

void CombatAttributeDefenseMisc::ModifyAbsoluteDefense(CombatAttributeType modType, float amount)
{
    if (modType == GetType())
        modifier += amount;
}

void CombatAttributeDefenseMisc::GetTotalDefense(float& absolute, float& /*overTime*/) const
{
    absolute += value;
}

} // namespace GAME
