#pragma once

#include "characters/CharAttributeType.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class LoadTable;
class RandomUniform;
struct CharAttributeCostSums;

// One attribute from one source: per-level base values from the record, plus what an item's
// prefix and suffix add. Each concrete kind fixes its type, record key and display text tag.
class CharAttribute {
public:
    virtual ~CharAttribute() = default;
    CharAttribute& operator=(const CharAttribute&) = delete;

    CharAttributeType GetType() const { return type; }
    // Level 0 is no level at all; levels past the last base value keep the last.
    float GetValue(uint32_t level) const;
    bool IsNotEmpty() const;

    virtual void LoadBaseTable(const LoadTable& table);
    virtual void LoadPrefixTable(const LoadTable& table, RandomUniform* random);
    virtual void LoadSuffixTable(const LoadTable& table, RandomUniform* random);
    virtual void CreateText(uint32_t level, std::vector<std::wstring>& headerLines,
                            std::vector<std::wstring>& lines) const;
    virtual void CreateNextText(uint32_t level, uint32_t nextLevel,
                                std::vector<std::wstring>& headerLines,
                                std::vector<std::wstring>& lines) const;
    virtual void AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const = 0;
    virtual void SetBaseValue(float value);
    virtual void AddJitter(float percent, RandomUniform* random);
    virtual void ScaleAttribute(float percent);
    virtual void GetCostInfo(CharAttributeCostSums& info) const = 0;
    // A copy of the same kind, so that a copied store owns attributes of its own.
    virtual std::unique_ptr<CharAttribute> Clone() const = 0;

protected:
    CharAttribute(CharAttributeType type, const char* recordKey, const char* textTag);
    CharAttribute(const CharAttribute&) = default;

    static float Jitter(float value, float percent, RandomUniform& random);
    static float Scale(float value, float percent);
    // Counts the value at level 1, when there is one, into one pair of the item's price summary.
    void AddCost(float& sum, int32_t& count) const;

private:
    float LoadAffixValue(const LoadTable& table, RandomUniform* random) const;

    CharAttributeType type = CharAttribute_None;
    std::vector<float> baseValues;
    float prefixValue = 0.0f;
    float suffixValue = 0.0f;
    const char* recordKey;
    const char* textTag;
};

// A record key or text tag as a template argument, so that each attribute kind is one line.
template <size_t N> struct CharAttributeName {
    constexpr CharAttributeName(const char (&name)[N])
    {
        for (size_t i = 0; i < N; ++i)
            text[i] = name[i];
    }
    char text[N];
};

// A concrete attribute of a family that needs nothing beyond its type, key and tag.
template <typename Family, CharAttributeType Type, CharAttributeName Key, CharAttributeName Tag>
class CharAttributeKind final : public Family {
public:
    CharAttributeKind() : Family(Type, Key.text, Tag.text) {}
    std::unique_ptr<CharAttribute> Clone() const override
    {
        return std::make_unique<CharAttributeKind>(*this);
    }
};

} // namespace GAME
