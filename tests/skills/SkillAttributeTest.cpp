#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_SkillAttributes.h"
#include "skills/SkillAttributeMod.h"
#include "skills/SkillAttributeVal.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME {
namespace {

using Test::Record;

// Hands out the draws a test names and remembers the ranges it was asked for.
class ScriptedRandom : public RandomUniform {
public:
    std::vector<int> ints;
    std::vector<float> floats;
    std::vector<std::pair<int, int>> intRanges;
    size_t floatDraws = 0;

    int IGenerate(int min, int max) override
    {
        intRanges.emplace_back(min, max);
        return ints.at(intRanges.size() - 1);
    }
    float FGenerate(float min, float max) override
    {
        EXPECT_EQ(min, 0.0f);
        EXPECT_EQ(max, 100.0f);
        return floats.at(floatDraws++);
    }
};

std::vector<float> Values(const SkillAttribute& attribute, uint32_t levels)
{
    std::vector<float> values;
    for (uint32_t level = 1; level <= levels; ++level)
        values.push_back(attribute.GetValue(level));
    return values;
}

TEST(SkillAttribute, EachKindReadsItsKeysAndShowsItsTag)
{
    struct Kind {
        std::unique_ptr<SkillAttribute> attribute;
        SkillAttributeType type;
        bool modifier;
        std::string valueKey;
        const wchar_t* tag;
    };
    Kind kinds[] = {
        {std::make_unique<SkillAttributeVal_CooldownReduction>(), SkillAttribute_CooldownReduction,
         false, "skillCooldownReduction", L"SkillCooldownReduction"},
        {std::make_unique<SkillAttributeVal_ManaCostReduction>(), SkillAttribute_ManaCostReduction,
         false, "skillManaCostReduction", L"SkillManaCostReduction"},
        {std::make_unique<SkillAttributeVal_ProjectileSpeedModifier>(),
         SkillAttribute_ProjectileSpeedModifier, false, "skillProjectileSpeedModifier",
         L"SkillProjectileSpeedModifier"},
        {std::make_unique<SkillAttributeMod_CooldownReduction>(), SkillAttribute_CooldownReduction,
         true, "skillCooldownReductionModifier", L"SkillCooldownReductionModifier"},
        {std::make_unique<SkillAttributeMod_ManaCostReduction>(), SkillAttribute_ManaCostReduction,
         true, "skillManaCostReductionModifier", L"SkillManaCostReductionModifier"},
    };
    for (Kind& kind : kinds) {
        SCOPED_TRACE(kind.valueKey);
        SkillAttribute& attribute = *kind.attribute;
        EXPECT_EQ(attribute.GetType(), kind.type);
        EXPECT_EQ(dynamic_cast<SkillAttributeMod*>(&attribute) != nullptr, kind.modifier);
        // Every chance key is its value key with "Chance" after it.
        attribute.LoadBaseTable(Record(kind.valueKey + " = 4\n" + kind.valueKey + "Chance = 25\n"));
        EXPECT_EQ(attribute.GetValue(1), 4.0f);
        EXPECT_EQ(attribute.GetChance(1), 25.0f);
        std::vector<std::wstring> lines;
        attribute.CreateText(1, lines);
        EXPECT_EQ(lines,
                  std::vector<std::wstring>{L"ChanceOfTag 25" + std::wstring(kind.tag) + L" 4"});
    }
}

TEST(SkillAttribute, AffixesReadValueAndChanceAndJitterByTheirOwnPercentage)
{
    const LoadTable affix = Record("skillManaCostReduction = 31\nlootRandomizerJitter = 10\n"
                                   "skillManaCostReductionChance = 40\n");
    SkillAttributeVal_ManaCostReduction attribute;
    attribute.LoadPrefixTable(affix, nullptr);
    EXPECT_EQ(attribute.GetPrefixValue(), 31.0f);
    EXPECT_EQ(attribute.GetPrefixChance(), 40.0f);

    ScriptedRandom random;
    random.ints = {2, -3};
    attribute.LoadPrefixTable(affix, &random);
    attribute.LoadSuffixTable(affix, &random);
    EXPECT_EQ(attribute.GetPrefixValue(), 33.0f);
    EXPECT_EQ(attribute.GetSuffixValue(), 28.0f);
    EXPECT_EQ(attribute.GetSuffixChance(), 40.0f);
    EXPECT_EQ(random.intRanges, (std::vector<std::pair<int, int>>{{-3, 3}, {-3, 3}}));
}

TEST(SkillAttribute, JitterRollsWholeUnitsAndNeverWipesAValueOut)
{
    SkillAttributeVal_CooldownReduction attribute;
    attribute.LoadBaseTable(Record("skillCooldownReduction = 3;3;3;1;1;0\n"));
    attribute.LoadPrefixTable(Record("skillCooldownReduction = 5\n"), nullptr);
    ScriptedRandom random;
    random.ints = {-1, 0, 1, -1, 1};
    attribute.AddJitter(10.0f, &random);
    // Three by ten percent is less than one whole unit: the range is one either way.
    EXPECT_EQ(Values(attribute, 6), (std::vector<float>{2, 3, 4, 1, 2, 0}));
    EXPECT_EQ(random.intRanges, (std::vector<std::pair<int, int>>(5, {-1, 1})));
    EXPECT_EQ(attribute.GetPrefixValue(), 5.0f);

    for (const float percent : {0.0f, -5.0f}) {
        attribute.AddJitter(percent, &random);
        attribute.AddJitter(10.0f, nullptr);
    }
    EXPECT_EQ(random.intRanges.size(), 5u);
}

TEST(SkillAttribute, JitterIsLimitedToHalfAndSaturatesHugeValues)
{
    SkillAttributeVal_CooldownReduction attribute;
    attribute.LoadBaseTable(Record("skillCooldownReduction = 100;-31;1e10;-1e10\n"));
    ScriptedRandom random;
    random.ints = {49, 0, 0, 0};
    attribute.AddJitter(80.0f, &random);
    EXPECT_EQ(attribute.GetValue(1), 149.0f);
    // 50 x 0.01f x 100 is 49.9999989 and truncates to 49, as the character attributes roll.
    EXPECT_EQ(random.intRanges,
              (std::vector<std::pair<int, int>>{
                  {-49, 49}, {15, -15}, {-INT_MAX, INT_MAX}, {INT_MAX, -INT_MAX}}));
}

TEST(SkillAttribute, ScaleAddsWholeUnitsToEveryValue)
{
    SkillAttributeMod_CooldownReduction attribute;
    attribute.LoadBaseTable(Record("skillCooldownReductionModifier = 7;-7;1e10\n"));
    attribute.LoadPrefixTable(Record("skillCooldownReductionModifier = 4\n"), nullptr);
    attribute.LoadSuffixTable(Record("skillCooldownReductionModifier = 1\n"), nullptr);

    attribute.ScaleAttribute(0.0f);
    EXPECT_EQ(Values(attribute, 3), (std::vector<float>{7, -7, 1e10f}));

    attribute.ScaleAttribute(50.0f);
    EXPECT_EQ(Values(attribute, 3),
              (std::vector<float>{10, -10, 1e10f + static_cast<float>(INT_MAX)}));
    // 50 x 0.01f x 4 is 1.99999996 and truncates to 1.
    EXPECT_EQ(attribute.GetPrefixValue(), 5.0f);
    EXPECT_EQ(attribute.GetSuffixValue(), 1.0f);
}

TEST(SkillAttribute, TotalRollsLevelPrefixAndSuffixInThatOrderThreeDrawsAlways)
{
    SkillAttributeVal_ProjectileSpeedModifier attribute;
    attribute.LoadBaseTable(
        Record("skillProjectileSpeedModifier = 10;20\nskillProjectileSpeedModifierChance = 50\n"));
    attribute.LoadPrefixTable(
        Record("skillProjectileSpeedModifier = 5\nskillProjectileSpeedModifierChance = 30\n"),
        nullptr);
    attribute.LoadSuffixTable(Record("skillProjectileSpeedModifier = 2\n"), nullptr);

    ScriptedRandom random;
    random.floats = {50.5f, 30.5f, 99.0f, 50.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(attribute.GetTotalValue(random, 1), 2.0f);
    EXPECT_EQ(attribute.GetTotalValue(random, 3), 27.0f);
    EXPECT_EQ(attribute.GetTotalValue(random, 0), 7.0f);
    EXPECT_EQ(random.floatDraws, 9u);
}

TEST(SkillAttribute, TextShowsEachPositivePartWithItsChance)
{
    SkillAttributeVal_CooldownReduction attribute;
    attribute.LoadBaseTable(
        Record("skillCooldownReduction = 10;10;-1\nskillCooldownReductionChance = 50;20\n"));
    attribute.LoadPrefixTable(Record("skillCooldownReduction = 5\n"), nullptr);
    attribute.LoadSuffixTable(
        Record("skillCooldownReduction = 2\nskillCooldownReductionChance = 20\n"), nullptr);

    std::vector<std::wstring> lines;
    attribute.CreateText(1, lines);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"ChanceOfTag 50SkillCooldownReduction 10",
                                                L"SkillCooldownReduction 5",
                                                L"ChanceOfTag 20SkillCooldownReduction 2"}));

    lines.clear();
    attribute.CreateText(3, lines);
    EXPECT_EQ(lines.size(), 2u) << "a negative level value is not shown";

    // The next level is shown only when it brings a change, and then only its own value.
    lines.clear();
    attribute.CreateNextText(2, 3, lines);
    attribute.CreateNextText(3, 4, lines);
    attribute.CreateNextText(1, 2, lines);
    EXPECT_EQ(lines, std::vector<std::wstring>{L"ChanceOfTag 20SkillCooldownReduction 10"});
}

TEST(SkillAttribute, CostCountsTheItemsValueAndThePositiveAffixes)
{
    const LoadTable prefix =
        Record("skillCooldownReduction = 5\nskillCooldownReductionModifier = 5");
    const LoadTable suffix =
        Record("skillCooldownReduction = -3\nskillCooldownReductionModifier = 3");
    SkillAttributeVal_CooldownReduction value;
    value.LoadBaseTable(Record("skillCooldownReduction = 10;20\n"));
    SkillAttributeMod_CooldownReduction modifier;
    modifier.LoadBaseTable(Record("skillCooldownReductionModifier = 15;25\n"));
    for (SkillAttribute* attribute :
         {static_cast<SkillAttribute*>(&value), static_cast<SkillAttribute*>(&modifier)}) {
        attribute->LoadPrefixTable(prefix, nullptr);
        attribute->LoadSuffixTable(suffix, nullptr);
    }

    CostInfo_SkillAttributes info;
    value.GetCostInfo(info);
    EXPECT_EQ(info.base, 10.0f);
    EXPECT_EQ(info.bonus, 5.0f);
    EXPECT_EQ(info.bonusCount, 1);
    modifier.GetCostInfo(info);
    EXPECT_EQ(info.modifier, 15.0f);
    EXPECT_EQ(info.bonus, 5.0f);
    EXPECT_EQ(info.bonusCount, 3);
}

} // namespace
} // namespace GAME
