#pragma once

#include "combat/CombatAttributeType.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class CombatAttributeAccumulator;
class CostInfo_DefenseAttributes;
class LoadTable;
class RandomUniform;

// One defensive property that a record grants: a resistance, a resistance over time, a percent
// modifier of either, a shield or reflection quantity, or armour protection. A store creates,
// owns and drives it; every attack it adds its combat attributes at the source's level.
class DefenseAttribute {
public:
    using Lines = std::vector<std::wstring>;

    virtual ~DefenseAttribute() = default;
    DefenseAttribute& operator=(const DefenseAttribute&) = delete;

    // False when the record gives this attribute nothing; the loader then drops it. On true the
    // loader hands it to its store.
    virtual bool LoadFromTable(const LoadTable& record, bool keepEmpty);
    virtual void CreateText(uint32_t level, Lines& first, Lines& second) const = 0;
    virtual void CreateNextText(uint32_t level, uint32_t nextLevel, Lines& first,
                                Lines& second) const = 0;
    // `skipChance`: the caller has already decided that this attribute takes part. Every roll
    // goes through the accumulator, so peers repeat them.
    virtual void AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                  bool skipChance) const = 0;
    virtual void ScaleAttribute(float percent) = 0;
    virtual void AddJitter(float percent, RandomUniform* generator) = 0;
    virtual void GetCostInfo(CostInfo_DefenseAttributes& info) const = 0;
    // A copy of the same kind, so that a copied store owns attributes of its own.
    virtual std::unique_ptr<DefenseAttribute> Clone() const = 0;

    CombatAttributeType GetType() const { return type; }
    const char* GetChanceKey() const { return chanceKey; }

protected:
    DefenseAttribute(CombatAttributeType type, const char* chanceKey)
        : type(type), chanceKey(chanceKey)
    {}
    DefenseAttribute(const DefenseAttribute&) = default;

    // Level 0 and empty lists read 0; levels past the end read the last entry.
    static float AtLevel(const std::vector<float>& list, uint32_t level);
    // A roll of up to `percent` of the value in whole units; never wipes a value out.
    static float Jitter(float value, float percent, RandomUniform& generator);
    // Adds `percent` of the value in whole units, truncated toward zero.
    static float Scale(float value, float percent);
    // Scales every entry; a percent of 0 leaves them alone.
    static void ScaleAll(std::vector<float>& list, float percent);
    // The jitter percent to roll with, or 0 when nothing is to be rolled.
    static float JitterPercent(float percent, const RandomUniform* generator);
    // `percent` of the value, kept fractional.
    static float PercentOf(float value, float percent);

    float GetChance(uint32_t level) const { return AtLevel(chances, level); }

private:
    CombatAttributeType type;
    const char* chanceKey;
    std::vector<float> chances;
};

} // namespace GAME
