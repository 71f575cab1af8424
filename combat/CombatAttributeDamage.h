#pragma once

#include "combat/CombatAttribute.h"

namespace GAME {

// Damage dealt at once.
class CombatAttributeAbsDamage : public CombatAttribute {
public:
    CombatAttributeAbsDamage(CombatAttributeType type, float value)
        : CombatAttribute(type), value(value)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& who, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;
    void ModifyAbsoluteDamage(CombatAttributeType modType, float amount) override;
    void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent) override;
    void DamageReductionByShield(const Character& defender, float shieldDefense,
                                 float shieldAbsorption) override;
    void ScaleDamage(float percent) override;

    float GetValue() const { return value; }
    float GetModifier() const { return modifier; }

protected:
    CombatAttributeAbsDamage(const CombatAttributeAbsDamage&) = default;
    // The shared steps of `Process`, with the attacker's elemental formula between scaling and
    // the reductions when `elemental` is set.
    void ProcessValue(const Character& who, float scalePercent, float percentReduction,
                      float absoluteReduction, bool elemental);

    float value;
    float modifier = 0.0f; // percent
};

// Elemental damage dealt at once, passed through the attacker's elemental formula.
class CombatAttributeAbsDamageElemental : public CombatAttributeAbsDamage {
public:
    using CombatAttributeAbsDamage::CombatAttributeAbsDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& who, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;

protected:
    CombatAttributeAbsDamageElemental(const CombatAttributeAbsDamageElemental&) = default;
};

// A state struck back at an attacker (a stun): its value is the duration in seconds. It is never
// reflected again and counts in no total.
class CombatAttributeReflexDamage : public CombatAttributeAbsDamage {
public:
    CombatAttributeReflexDamage(CombatAttributeType type, float value)
        : CombatAttributeAbsDamage(type, value)
    {
        SetFilterForReflectDamage();
    }

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;

protected:
    CombatAttributeReflexDamage(const CombatAttributeReflexDamage&) = default;
};

// Damage per second over a duration in seconds.
class CombatAttributeDurDamage : public CombatAttribute {
public:
    CombatAttributeDurDamage(CombatAttributeType type, float value, float duration)
        : CombatAttribute(type), value(value), duration(duration)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& who, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;
    void ModifyDurationDamage(CombatAttributeType modType, float amount,
                              float durationAmount) override;
    void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent) override;
    void DamageReductionByShield(const Character& defender, float shieldDefense,
                                 float shieldAbsorption) override;
    void ReduceDurationDamage(CombatAttributeType reduceType, float percent) override;
    void ScaleDamage(float percent) override;

    float GetValue() const { return value; }
    float GetDuration() const { return duration; }

protected:
    CombatAttributeDurDamage(const CombatAttributeDurDamage&) = default;
    void ProcessValues(const Character& who, float scalePercent, float percentReduction,
                       float absoluteReduction, bool elemental);

    float value;
    float duration;
    float valueModifier = 0.0f;    // percent
    float durationModifier = 0.0f; // percent
};

// Elemental damage over time, passed through the attacker's elemental duration formula.
class CombatAttributeDurDamageElemental : public CombatAttributeDurDamage {
public:
    using CombatAttributeDurDamage::CombatAttributeDurDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& who, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;

protected:
    CombatAttributeDurDamageElemental(const CombatAttributeDurDamageElemental&) = default;
};

// A level held for a duration (a slow, an ability loss, a state) rather than damage per second;
// it counts in no damage total.
class CombatAttributeDurFixedDamage : public CombatAttributeDurDamage {
public:
    using CombatAttributeDurDamage::CombatAttributeDurDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;

protected:
    CombatAttributeDurFixedDamage(const CombatAttributeDurFixedDamage&) = default;
};

} // namespace GAME
