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
    void GetTotalDamage(float& absolute, float& overTime) override;
    void ModifyAbsoluteDamage(CombatAttributeType modType, float amount) override;
    void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent) override;
    void ScaleDamage(float percent) override;

    float GetValue() const { return value; }
    float GetModifier() const { return modifier; }

protected:
    CombatAttributeAbsDamage(const CombatAttributeAbsDamage&) = default;

    float value;
    float modifier = 0.0f; // percent
};

// Damage struck back at an attacker; it is never reflected again and counts in no total.
class CombatAttributeReflexDamage : public CombatAttributeAbsDamage {
public:
    CombatAttributeReflexDamage(CombatAttributeType type, float value)
        : CombatAttributeAbsDamage(type, value)
    {
        SetFilterForReflectDamage();
    }

    std::unique_ptr<CombatAttribute> Clone() const override;
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
    void GetTotalDamage(float& absolute, float& overTime) override;
    void ModifyDurationDamage(CombatAttributeType modType, float amount,
                              float durationAmount) override;
    void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent) override;
    void ReduceDurationDamage(CombatAttributeType reduceType, float percent) override;
    void ScaleDamage(float percent) override;

    float GetValue() const { return value; }
    float GetDuration() const { return duration; }

protected:
    CombatAttributeDurDamage(const CombatAttributeDurDamage&) = default;

    float value;
    float duration;
    float valueModifier = 0.0f;    // percent
    float durationModifier = 0.0f; // percent
};

} // namespace GAME
