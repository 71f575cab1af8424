#include "combat/CombatAttributeDefense.h"

#include "characters/Character.h"
#include "core/Helpers.h"

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

// The defender's cap: 0 means none.
float CapDefense(float value, const Character& defender)
{
    const float cap = defender.GetDefenseAttributeCap();
    return cap > 0.0f ? Min(value, cap) : value;
}

} // namespace

std::unique_ptr<CombatAttribute> CombatAttributeAbsDefense::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDefense(*this));
}

void CombatAttributeAbsDefense::Process(const Character& defender, float scalePercent,
                                        float /*flat*/, float percentReduction,
                                        float absoluteReduction)
{
    value = ProcessDefenseValue(value, modifier, scalePercent, percentReduction, absoluteReduction);
    modifier = 0.0f;
    value = CapDefense(value, defender);
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

std::unique_ptr<CombatAttribute> CombatAttributeAbsDefenseRestricted::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDefenseRestricted(*this));
}

void CombatAttributeAbsDefenseRestricted::Process(const Character& defender, float scalePercent,
                                                  float /*flat*/, float /*percentReduction*/,
                                                  float /*absoluteReduction*/)
{
    CombatAttributeAbsDefense::Process(defender, scalePercent, 0.0f, 0.0f, 0.0f);
}

std::unique_ptr<CombatAttribute> CombatAttributeDurDefense::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDurDefense(*this));
}

void CombatAttributeDurDefense::Process(const Character& defender, float scalePercent,
                                        float /*flat*/, float /*percentReduction*/,
                                        float /*absoluteReduction*/)
{
    value = Max(ProcessDefenseValue(value, modifier, scalePercent, 0.0f, 0.0f), 0.0f);
    modifier = 0.0f;
    value = CapDefense(value, defender);
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
    value = ProcessDefenseValue(value, modifier, scalePercent, percentReduction, absoluteReduction);
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
