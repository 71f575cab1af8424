#include "combat/CombatAttributeDamage.h"

#include "characters/Character.h"
#include "combat/DurationDamageManager.h"
#include "core/Helpers.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeAbsDamage::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDamage(*this));
}

// The flat reduction is for physical damage only.
void CombatAttributeAbsDamage::Process(const Character& who, float scalePercent, float /*flat*/,
                                       float percentReduction, float absoluteReduction)
{
    ProcessValue(who, scalePercent, percentReduction, absoluteReduction, false);
}

void CombatAttributeAbsDamage::ProcessValue(const Character& who, float scalePercent,
                                            float percentReduction, float absoluteReduction,
                                            bool elemental)
{
    value = ApplyModifier(value, modifier);
    // A percent of 0 means the skill gave none, not "no damage".
    if (scalePercent != 0.0f)
        value = scalePercent * 0.01f * value;
    if (elemental && value > 0.0f)
        value = who.DesignerCalculateElementalDamage(value);
    value = Max(ApplyReduction(value, percentReduction, absoluteReduction), 0.0f);
    modifier = 0.0f;
}

void CombatAttributeAbsDamage::Execute(Character& defender)
{
    defender.ApplyDamage(value, StatsType(GetType()), GetType());
}

void CombatAttributeAbsDamage::GetTotalDamage(float& absolute, float& /*overTime*/)
{
    absolute += value;
}

void CombatAttributeAbsDamage::ModifyAbsoluteDamage(CombatAttributeType modType, float amount)
{
    if (modType == GetType())
        modifier += amount;
}

void CombatAttributeAbsDamage::ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent)
{
    if (reduceType == GetType())
        value = (1.0f - percent * 0.01f) * value;
    value = Max(value, 0.0f);
}

void CombatAttributeAbsDamage::DamageReductionByShield(const Character& defender,
                                                       float shieldDefense, float shieldAbsorption)
{
    value = BlockedByShield(defender, value, shieldDefense, shieldAbsorption);
}

void CombatAttributeAbsDamage::ScaleDamage(float percent)
{
    if (percent > 0.0f)
        value = percent * 0.01f * value;
}

std::unique_ptr<CombatAttribute> CombatAttributeAbsDamageElemental::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDamageElemental(*this));
}

void CombatAttributeAbsDamageElemental::Process(const Character& who, float scalePercent,
                                                float /*flat*/, float percentReduction,
                                                float absoluteReduction)
{
    ProcessValue(who, scalePercent, percentReduction, absoluteReduction, true);
}

std::unique_ptr<CombatAttribute> CombatAttributeReflexDamage::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeReflexDamage(*this));
}

// The state lasts `value` seconds at level 1.
void CombatAttributeReflexDamage::Execute(Character& defender)
{
    if (value > 0.0f)
        defender.GetDurationDamageMgr().AddFixedDamage(GetType(), 1.0f, value);
}

void CombatAttributeReflexDamage::GetTotalDamage(float& /*absolute*/, float& /*overTime*/) {}

std::unique_ptr<CombatAttribute> CombatAttributeDurDamage::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDurDamage(*this));
}

void CombatAttributeDurDamage::Process(const Character& who, float scalePercent, float /*flat*/,
                                       float percentReduction, float absoluteReduction)
{
    ProcessValues(who, scalePercent, percentReduction, absoluteReduction, false);
}

void CombatAttributeDurDamage::ProcessValues(const Character& who, float scalePercent,
                                             float percentReduction, float absoluteReduction,
                                             bool elemental)
{
    value = ApplyModifier(value, valueModifier);
    if (scalePercent != 0.0f)
        value = scalePercent * 0.01f * value;
    if (elemental && value > 0.0f)
        value = who.DesignerCalculateElementalDurationDamage(value);
    value = Max(ApplyReduction(value, percentReduction, absoluteReduction), 0.0f);
    duration = Max(ApplyModifier(duration, durationModifier), 0.0f);
    valueModifier = 0.0f;
    durationModifier = 0.0f;
}

void CombatAttributeDurDamage::Execute(Character& defender)
{
    defender.GetDurationDamageMgr().AddDamage(GetType(), value, duration);
}

void CombatAttributeDurDamage::GetTotalDamage(float& /*absolute*/, float& overTime)
{
    overTime += value;
}

void CombatAttributeDurDamage::ModifyDurationDamage(CombatAttributeType modType, float amount,
                                                    float durationAmount)
{
    if (modType != GetType())
        return;
    valueModifier += amount;
    durationModifier += durationAmount;
}

void CombatAttributeDurDamage::ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent)
{
    if (reduceType == GetType())
        value = (1.0f - percent * 0.01f) * value;
    value = Max(value, 0.0f);
}

void CombatAttributeDurDamage::DamageReductionByShield(const Character& defender,
                                                       float shieldDefense, float shieldAbsorption)
{
    value = BlockedByShield(defender, value, shieldDefense, shieldAbsorption);
}

void CombatAttributeDurDamage::ReduceDurationDamage(CombatAttributeType reduceType, float percent)
{
    if (percent > 0.0f && reduceType == GetType())
        duration = (1.0f - percent * 0.01f) * duration;
    duration = Max(duration, 0.0f);
}

void CombatAttributeDurDamage::ScaleDamage(float percent)
{
    if (percent > 0.0f)
        value = percent * 0.01f * value;
}

std::unique_ptr<CombatAttribute> CombatAttributeDurDamageElemental::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDurDamageElemental(*this));
}

void CombatAttributeDurDamageElemental::Process(const Character& who, float scalePercent,
                                                float /*flat*/, float percentReduction,
                                                float absoluteReduction)
{
    ProcessValues(who, scalePercent, percentReduction, absoluteReduction, true);
}

std::unique_ptr<CombatAttribute> CombatAttributeDurFixedDamage::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDurFixedDamage(*this));
}

void CombatAttributeDurFixedDamage::Execute(Character& defender)
{
    defender.GetDurationDamageMgr().AddFixedDamage(GetType(), value, duration);
}

void CombatAttributeDurFixedDamage::GetTotalDamage(float& /*absolute*/, float& /*overTime*/) {}

} // namespace GAME
