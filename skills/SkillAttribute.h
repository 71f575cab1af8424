#pragma once

#include "characters/CharAttribute.h"
#include "skills/SkillAttributeType.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;
class RandomUniform;
class SkillAttributeAccumulator;

// One skill attribute of one record: per-level values, each with an optional chance to apply.
// Each concrete kind fixes its type, its two record keys and its display text tag.
class SkillAttribute {
public:
    virtual ~SkillAttribute() = default;
    SkillAttribute(const SkillAttribute&) = delete;
    SkillAttribute& operator=(const SkillAttribute&) = delete;

    virtual void LoadBaseTable(const LoadTable& table);
    virtual void CreateText(uint32_t level, std::vector<std::wstring>& lines) const;
    virtual void AddToAccumulator(SkillAttributeAccumulator& accumulator, uint32_t level) const = 0;

    SkillAttributeType GetType() const { return type; }
    bool IsNotEmpty() const;
    // Level 0 is no level at all; levels past the last entry keep the last.
    float GetValue(uint32_t level) const;
    float GetChance(uint32_t level) const;
    // What this attribute gives at the level after its chance is rolled on the generator.
    float GetTotalValue(RandomUniform& random, uint32_t level) const;

protected:
    SkillAttribute(SkillAttributeType type, const char* valueKey, const char* chanceKey,
                   const char* textTag);

private:
    SkillAttributeType type;
    std::vector<float> values;
    std::vector<float> chances;
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
};

} // namespace GAME
