#pragma once

#include "combat/CombatAttributeRegion.h"
#include "combat/CombatAttributeType.h"
#include "core/PlayStatsDamageType.h"

#include <memory>

namespace GAME {

class Character;

// One kind of damage, damage modifier, defense or defense modifier of an attack. The base does
// nothing in every step, so each family overrides only the steps it takes part in and the
// accumulator can drive every attribute through every step alike.
class CombatAttribute {
public:
    explicit CombatAttribute(CombatAttributeType type) : type(type) {}
    virtual ~CombatAttribute() = default;
    CombatAttribute& operator=(const CombatAttribute&) = delete;

    virtual std::unique_ptr<CombatAttribute> Clone() const = 0;
    virtual CombatAttributeType GetType() const { return type; }
    // `who` is the attacker for damage and the defender for defenses.
    virtual void Process(const Character& who, float scalePercent, float flat,
                         float percentReduction, float absoluteReduction);
    virtual float ProcessBluntDamageModifier(float factor);
    virtual void Execute(Character& defender);
    virtual void Execute(CombatAttribute* target, CombatAttributeRegion region);
    virtual void GetTotalDamage(float& absolute, float& overTime);
    virtual void GetTotalDefense(float& absolute, float& overTime) const;
    virtual void ModifyAbsoluteDamage(CombatAttributeType modType, float value);
    virtual void ModifyDurationDamage(CombatAttributeType modType, float value, float duration);
    virtual void ModifyAbsoluteDefense(CombatAttributeType modType, float value);
    virtual void ModifyDurationDefense(CombatAttributeType modType, float value);
    virtual void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent);
    virtual void DamageReductionByShield(const Character& defender, float shieldDefense,
                                         float shieldAbsorption);
    virtual void ReduceDurationDamage(CombatAttributeType reduceType, float percent);
    virtual void ScaleDamage(float percent);
    virtual bool GetFilterForReflectDamage() const { return filterForReflectDamage; }
    virtual float GetDefense() const { return 0.0f; }
    virtual bool MergeDefense(CombatAttribute* other);

protected:
    CombatAttribute(const CombatAttribute&) = default;
    // value + |value| x percent %: a modifier grows a negative value toward zero, never away.
    static float ApplyModifier(float value, float percent);
    // value - (|value| x percent % + absolute), the attack's shared reduction step.
    static float ApplyReduction(float value, float percent, float absolute);
    // The steps every defensive quantity takes: its modifier, the attack's scale (a negative one
    // leaves it unscaled, unlike damage) and the reductions, with no lower bound.
    static float ProcessDefenseValue(float value, float modifierPercent, float scalePercent,
                                     float percentReduction, float absoluteReduction);
    // What a shield block leaves of `value`: the defender's formula, never below 0.
    static float BlockedByShield(const Character& defender, float value, float shieldDefense,
                                 float shieldAbsorption);
    // How damage of a type is tallied in the play statistics.
    static PlayStatsDamageType StatsType(CombatAttributeType damageType)
    {
        return {PlayStatsDamageType::KindCombatAttribute, static_cast<int32_t>(damageType)};
    }
    // Set by the kinds that must never be sent back at an attacker.
    void SetFilterForReflectDamage() { filterForReflectDamage = true; }

private:
    CombatAttributeType type;
    bool filterForReflectDamage = false;
};

} // namespace GAME
