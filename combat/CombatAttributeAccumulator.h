#pragma once

#include "combat/CombatAttribute.h"
#include "core/OwnedList.h"
#include "core/RandomUniform.h"

#include <cstdint>
#include <memory>

// How one hit is worked out, and why every machine agrees on it.
//
// A hit travels as a `ParametersCombat`. The attacking skill builds one per target from a shared
// seed: its `AttackRandoms` draws exactly seven numbers, whether anyone reads them or not, so
// the seed's generator stands at the same place for the next target on every machine. The first
// number seeds this accumulator, and every roll of the hit is made on that generator, in a fixed
// order: each attribute store adds its kinds in its own fixed sequence; a kind with a chance
// draws once for it (a chance of 0 means none was given and draws nothing), and a kind that
// passes draws its values. So the same record rolls the same hit wherever it is resolved, and a
// copy restarts from the seed instead of carrying the source's position along.
//
// The accumulator then lets the attributes act in steps, each walking its lists in insertion
// order. The attacker's side is processed first (`ProcessDamage`): damage modifiers change the
// damage and are deleted, then each damage attribute takes the attacker's scaling and
// reductions. On the defender, its defenses join; resistances of one type merge into one entry
// as they arrive, while armour pieces stay apart, each guarding its own region. Then blunt
// damage, `ProcessDefense` (the same two steps for defenses, resistances cut to the defender's
// cap), shield block and racial reductions, `ExecuteDefense` (every defense against every
// damage, for the hit's region; the defenses are spent), and last `ExecuteDamage`, the only step
// that touches the defender. The base class answers every step with nothing, so each family
// overrides just the steps it takes part in.

namespace GAME {

class Character;

// The combat attributes of one attack, its seeded generator and its hit region. The attribute
// stores fill it, rolling chances and values on its generator; the combat manager then lets the
// attributes act on one another and on the defender.
class CombatAttributeAccumulator {
public:
    using AttributeList = OwnedList<CombatAttribute>;

    CombatAttributeAccumulator() = default;
    virtual ~CombatAttributeAccumulator();
    CombatAttributeAccumulator(const CombatAttributeAccumulator& other);
    // Replaces the attributes with clones of the source's, then restarts the source's sequence from
    // its seed rather than continuing it, so every machine's copy of a hit rolls the same values
    // whenever it was taken.
    CombatAttributeAccumulator& operator=(const CombatAttributeAccumulator& other);

    void SetSeed(uint32_t value);
    uint32_t GetSeed() const { return seed; }
    virtual RandomUniform& GetRandomGen() { return generator; }
    void SetRegion(CombatAttributeRegion value) { region = value; }
    CombatAttributeRegion GetRegion() const { return region; }

    // Chances are percents; 0 means none was given, so the attribute always applies and no
    // number is drawn.
    virtual bool EvaluateChance(float chance);
    virtual float GetChanceMultiplier(float value);

    bool IsEmpty() const { return damage.empty(); }

    void AddDamage(std::unique_ptr<CombatAttribute> attribute);
    void AddDamageModifier(std::unique_ptr<CombatAttribute> attribute);
    void AddDefense(std::unique_ptr<CombatAttribute> attribute);
    // As AddDefense with a fresh `Combat(type, value)`; one that merges into a defense already
    // here is never allocated, since most of a defender's resistances meet one of their type.
    template <typename Combat> void AddDefenseOf(CombatAttributeType type, float value)
    {
        Combat candidate(type, value);
        if (!MergeDefense(candidate))
            AddNewDefense(std::make_unique<Combat>(type, value));
    }
    void AddDefenseModifier(std::unique_ptr<CombatAttribute> attribute);

    void ProcessDamage(const Character& who, float scalePercent, float flat, float percentReduction,
                       float absoluteReduction);
    void ProcessDefense(const Character& who, float scalePercent, float flat,
                        float percentReduction, float absoluteReduction);
    float ProcessBluntDamageModifier(float factor);
    void ReduceDamage(float percent);
    void DamageReductionByShield(const Character& defender, float shieldDefense,
                                 float shieldAbsorption);
    void ExecuteDefense();
    void ExecuteDamage(Character& defender);

    void GetTotalDamage(float& absolute, float& overTime);
    void GetTotalDamageType(float& absolute, float& overTime, CombatAttributeType type);
    float GetTotalDefenseType(CombatAttributeType type) const;
    void ScaleDamage(float percent);
    // Reflex damage and influences must not bounce back at the attacker.
    void FilterReflectDamage();

    void Clear();
    void ClearDamage() { damage.Clear(); }
    void ClearDamageModifiers() { damageModifiers.Clear(); }
    void ClearDefense() { defenses.Clear(); }
    void ClearDefenseModifiers() { defenseModifiers.Clear(); }

    const AttributeList& GetDamage() const { return damage; }
    const AttributeList& GetDamageModifiers() const { return damageModifiers; }
    const AttributeList& GetDefenses() const { return defenses; }
    const AttributeList& GetDefenseModifiers() const { return defenseModifiers; }

private:
    // True when a defense already here took `candidate` in.
    bool MergeDefense(CombatAttribute& candidate);
    void AddNewDefense(std::unique_ptr<CombatAttribute> attribute);
    static void Process(AttributeList& modifiers, AttributeList& attributes,
                        CombatAttributeRegion region, const Character& who, float scalePercent,
                        float flat, float percentReduction, float absoluteReduction);

    AttributeList damage;
    AttributeList damageModifiers;
    AttributeList defenses;
    AttributeList defenseModifiers;
    RandomUniform generator;
    uint32_t seed = 0;
    CombatAttributeRegion region = CombatAttributeRegion_FullyProtected;
};

} // namespace GAME
