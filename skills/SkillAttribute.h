#pragma once

#include "characters/CharAttribute.h"
#include "skills/SkillAttributeType.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class CostInfo_SkillAttributes;
class LoadTable;
class RandomUniform;
class SkillAttributeAccumulator;

// One skill attribute of one record: per-level values, each with an optional chance to apply,
// plus what an item's prefix and suffix add, each with a chance of its own. Each concrete kind
// fixes its type, its two record keys and its display text tag.
class SkillAttribute {
public:
    virtual ~SkillAttribute() = default;
    SkillAttribute& operator=(const SkillAttribute&) = delete;

    virtual std::unique_ptr<SkillAttribute> Clone() const = 0;

    virtual void LoadBaseTable(const LoadTable& table);
    // With a generator the affix value is jittered by the affix record's own percentage.
    virtual void LoadPrefixTable(const LoadTable& table, RandomUniform* random);
    virtual void LoadSuffixTable(const LoadTable& table, RandomUniform* random);
    virtual void CreateText(uint32_t level, std::vector<std::wstring>& lines) const;
    virtual void CreateNextText(uint32_t level, uint32_t nextLevel,
                                std::vector<std::wstring>& lines) const;
    virtual void AddToAccumulator(SkillAttributeAccumulator& accumulator, uint32_t level) const = 0;
    // Only the per-level values are rolled; the affix values were rolled when they were read.
    virtual void AddJitter(float percent, RandomUniform* random);
    virtual void ScaleAttribute(float percent);
    virtual void GetCostInfo(CostInfo_SkillAttributes& info) const = 0;

    SkillAttributeType GetType() const { return type; }
    bool IsNotEmpty() const;
    // Level 0 is no level at all; levels past the last entry keep the last.
    float GetValue(uint32_t level) const;
    float GetChance(uint32_t level) const;
    float GetPrefixValue() const { return prefix.value; }
    float GetPrefixChance() const { return prefix.chance; }
    float GetSuffixValue() const { return suffix.value; }
    float GetSuffixChance() const { return suffix.chance; }
    // What this attribute gives at the level after its three chances are rolled on the
    // generator; the three draws are made whatever the chances, so peers stay in step.
    float GetTotalValue(RandomUniform& random, uint32_t level) const;

protected:
    SkillAttribute(SkillAttributeType type, const char* valueKey, const char* chanceKey,
                   const char* textTag);
    SkillAttribute(const SkillAttribute&) = default;

private:
    struct Affix {
        float value = 0.0f;
        float chance = 0.0f;
    };

    Affix LoadAffix(const LoadTable& table, RandomUniform* random) const;
    void AddLine(float value, float chance, std::vector<std::wstring>& lines) const;

    SkillAttributeType type;
    std::vector<float> values;
    std::vector<float> chances;
    Affix prefix;
    Affix suffix;
    const char* chanceKey;
    const char* valueKey;
    const char* textTag;
};

// A concrete attribute: its family with the type, value key, chance key and text tag.
template <typename Family, SkillAttributeType Type, CharAttributeName ValueKey,
          CharAttributeName ChanceKey, CharAttributeName Tag>
class SkillAttributeKind final : public Family {
public:
    SkillAttributeKind() : Family(Type, ValueKey.text, ChanceKey.text, Tag.text) {}
    std::unique_ptr<SkillAttribute> Clone() const override
    {
        return std::make_unique<SkillAttributeKind>(*this);
    }
};

} // namespace GAME
