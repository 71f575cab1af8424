#pragma once

#include "characters/CharAttribute.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/DefenseAttribute.h"
#include "items/CostInfo_DefenseAttributes.h"

#include <cstddef>
#include <optional>
#include <type_traits>

namespace GAME {

// A defense with one value per level, each with an optional chance to take part, read under the
// keys of its kind and shown under its tag.
class DefenseAttribute_Typical : public DefenseAttribute {
public:
    // A lone 0 in the record means "not given"; with `keepEmpty` the attribute stays, worth 0.
    bool LoadFromTable(const LoadTable& record, bool keepEmpty) override;
    void CreateText(uint32_t level, Lines& first, Lines& second) const override;
    void CreateNextText(uint32_t level, uint32_t nextLevel, Lines& first,
                        Lines& second) const override;
    void ScaleAttribute(float percent) override;
    void AddJitter(float percent, RandomUniform* generator) override;

    const char* GetValueKey() const { return valueKey; }
    const char* GetDisplayTag() const { return displayTag; }

protected:
    DefenseAttribute_Typical(CombatAttributeType type, const char* chanceKey, const char* valueKey,
                             const char* displayTag)
        : DefenseAttribute(type, chanceKey), valueKey(valueKey), displayTag(displayTag)
    {}
    DefenseAttribute_Typical(const DefenseAttribute_Typical&) = default;

    float GetValue(uint32_t level) const { return AtLevel(values, level); }
    // Rolls the chance unless skipped; what this attack receives, or nothing when it fails.
    std::optional<float> RollValue(CombatAttributeAccumulator& accumulator, uint32_t level,
                                   bool skipChance) const;
    // Prices weigh the level-1 value by its chance, when it has one.
    void AddCost(float& field, int32_t& count) const;

private:
    std::wstring FormatLine(float chance, float value) const;

    const char* valueKey;
    const char* displayTag;
    std::vector<float> values;
};

// An accumulator's operation as a type: g++ with UBSan does not take == of two member pointers
// as a constant, while two template arguments always compare.
template <auto Add> struct DefenseAttributeAdder {};

// A family of typical defenses: each kind adds one combat attribute of the family's class
// through the accumulator's `Add`, and prices into the cost record's `Field`. `KeySuffix`
// follows the kind word in every key and tag of the family.
template <typename Combat,
          void (CombatAttributeAccumulator::*Add)(std::unique_ptr<CombatAttribute>),
          float CostInfo_DefenseAttributes::*Field, CharAttributeName KeySuffix>
class DefenseAttributeFamily : public DefenseAttribute_Typical {
public:
    static constexpr const auto& kKeySuffix = KeySuffix.text;

    void AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                          bool skipChance) const override
    {
        const auto value = RollValue(accumulator, level, skipChance);
        if (!value)
            return;
        if constexpr (std::is_same_v<
                          DefenseAttributeAdder<Add>,
                          DefenseAttributeAdder<&CombatAttributeAccumulator::AddDefense>>)
            accumulator.AddDefenseOf<Combat>(GetType(), *value);
        else
            (accumulator.*Add)(std::make_unique<Combat>(GetType(), *value));
    }
    void GetCostInfo(CostInfo_DefenseAttributes& info) const override
    {
        AddCost(info.*Field, info.count);
    }

protected:
    using DefenseAttribute_Typical::DefenseAttribute_Typical;
};

// A record key or tag joined at compile time from its words, so that each kind is one line
// yet its keys are whole strings.
template <size_t N> struct DefenseAttributeText {
    char text[N]{};
};

template <size_t... N> constexpr auto JoinDefenseAttributeText(const char (&... parts)[N])
{
    DefenseAttributeText<(N + ...) - sizeof...(N) + 1> joined;
    size_t at = 0;
    (
        [&] {
            for (size_t i = 0; i + 1 < N; ++i)
                joined.text[at++] = parts[i];
        }(),
        ...);
    return joined;
}

// A concrete kind: its family with its type and kind word. Keys read "defensive" + key word +
// the family's suffix (+ "Chance"), the tag "Defense" + kind word + suffix. The key word
// differs from the kind word only for the leech kinds, whose keys name the slow leech.
template <typename Family, CombatAttributeType Type, CharAttributeName Kind,
          CharAttributeName KeyWord = Kind>
class DefenseAttributeKind final : public Family {
public:
    static constexpr auto kValueKey =
        JoinDefenseAttributeText("defensive", KeyWord.text, Family::kKeySuffix);
    static constexpr auto kChanceKey =
        JoinDefenseAttributeText("defensive", KeyWord.text, Family::kKeySuffix, "Chance");
    static constexpr auto kDisplayTag =
        JoinDefenseAttributeText("Defense", Kind.text, Family::kKeySuffix);

    DefenseAttributeKind() : Family(Type, kChanceKey.text, kValueKey.text, kDisplayTag.text) {}
    std::unique_ptr<DefenseAttribute> Clone() const override
    {
        return std::make_unique<DefenseAttributeKind>(*this);
    }
};

} // namespace GAME
