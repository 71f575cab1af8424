#pragma once

#include "combat/CombatAttribute.h"

namespace GAME {

// A resistance against damage of its own type, taken off at once.
class CombatAttributeAbsDefense : public CombatAttribute {
public:
    CombatAttributeAbsDefense(CombatAttributeType type, float value)
        : CombatAttribute(type), value(value)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    // May leave the resistance negative (it then raises the damage); the defender's cap, when it
    // has one, bounds it from above.
    void Process(const Character& defender, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    void Execute(CombatAttribute* target, CombatAttributeRegion region) override;
    void ModifyAbsoluteDefense(CombatAttributeType modType, float amount) override;
    void GetTotalDefense(float& absolute, float& overTime) const override;
    float GetDefense() const override { return value; }
    bool MergeDefense(CombatAttribute* other) override;

protected:
    CombatAttributeAbsDefense(const CombatAttributeAbsDefense&) = default;

    float value;
    float modifier = 0.0f; // percent
};

// A resistance that the attacker's resistance reductions cannot lower (status resistances).
class CombatAttributeAbsDefenseRestricted : public CombatAttributeAbsDefense {
public:
    using CombatAttributeAbsDefense::CombatAttributeAbsDefense;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& defender, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;

protected:
    CombatAttributeAbsDefenseRestricted(const CombatAttributeAbsDefenseRestricted&) = default;
};

// A resistance that shortens damage over time of its own type. Reductions do not lower it and
// it never goes below zero.
class CombatAttributeDurDefense : public CombatAttribute {
public:
    CombatAttributeDurDefense(CombatAttributeType type, float value)
        : CombatAttribute(type), value(value)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& defender, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    void Execute(CombatAttribute* target, CombatAttributeRegion region) override;
    void ModifyDurationDefense(CombatAttributeType modType, float amount) override;
    void GetTotalDefense(float& absolute, float& overTime) const override;
    float GetDefense() const override { return value; }
    bool MergeDefense(CombatAttribute* other) override;

protected:
    CombatAttributeDurDefense(const CombatAttributeDurDefense&) = default;

    float value;
    float modifier = 0.0f; // percent
};

// A defensive quantity that acts on no damage itself, such as the block modifier or the
// reflected percent; the combat manager reads its total.
class CombatAttributeDefenseMisc : public CombatAttribute {
public:
    CombatAttributeDefenseMisc(CombatAttributeType type, float value)
        : CombatAttribute(type), value(value)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& who, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    void ModifyAbsoluteDefense(CombatAttributeType modType, float amount) override;
    void GetTotalDefense(float& absolute, float& overTime) const override;

protected:
    CombatAttributeDefenseMisc(const CombatAttributeDefenseMisc&) = default;

    float value;
    float modifier = 0.0f; // percent
};

} // namespace GAME
