#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillAttributeMod.h"
#include "skills/SkillAttributeStore_Skill.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace GAME {
namespace {

LoadTable Record(const std::string& text)
{
    LoadTable table;
    table.Parse(text, "test.dbr");
    return table;
}

// The store's attributes as their family and type, in store order.
std::vector<std::string> Kinds(const SkillAttributeStore& store)
{
    std::vector<std::string> kinds;
    for (const auto& attribute : store.GetAttributes()) {
        const bool modifier = dynamic_cast<const SkillAttributeMod*>(attribute.get()) != nullptr;
        kinds.push_back((modifier ? "Mod" : "Val") + std::to_string(attribute->GetType()));
    }
    return kinds;
}

// The generator's state after `draws` draws from the seed, whatever they were.
uint32_t StateAfter(uint32_t seed, int draws)
{
    RandomUniform random;
    random.Seed(seed);
    for (int i = 0; i < draws; ++i)
        random.FGenerate(0.0f, 100.0f);
    return random.GetState();
}

float FirstDraw(uint32_t seed)
{
    RandomUniform random;
    random.Seed(seed);
    return random.FGenerate(0.0f, 100.0f);
}

TEST(SkillAttributeAccumulator, ModifierIsAPercentOfTheValuesMagnitude)
{
    SkillAttributeAccumulator accumulator;
    accumulator.AddValue(SkillAttribute_CooldownReduction, 4.0f);
    accumulator.AddValue(SkillAttribute_CooldownReduction, 6.0f);
    accumulator.AddModifier(SkillAttribute_CooldownReduction, 50.0f);
    accumulator.AddValue(SkillAttribute_ManaCostReduction, -10.0f);
    accumulator.AddModifier(SkillAttribute_ManaCostReduction, 50.0f);
    accumulator.AddModifier(SkillAttribute_ProjectileSpeedModifier, 30.0f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_CooldownReduction), 15.0f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ManaCostReduction), -5.0f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ProjectileSpeedModifier), 0.0f);

    for (uint32_t type : {4u, 0xFFFFFFFFu}) {
        accumulator.AddValue(static_cast<SkillAttributeType>(type), 5.0f);
        accumulator.AddModifier(static_cast<SkillAttributeType>(type), 5.0f);
        EXPECT_EQ(accumulator.GetValue(static_cast<SkillAttributeType>(type)), 0.0f);
    }

    accumulator.Clear();
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_CooldownReduction), 0.0f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ManaCostReduction), 0.0f);
}

TEST(SkillAttributeStore, LoadsItsKindsInTheirOrderAndDropsALoneZero)
{
    SkillAttributeStore_Skill store;
    store.Load(Record("skillManaCostReductionModifier = 1\nskillProjectileSpeedModifier = 1\n"
                      "skillCooldownReductionModifier = 1\nskillManaCostReduction = 1\n"
                      "skillCooldownReduction = 1\n"));
    EXPECT_EQ(Kinds(store), (std::vector<std::string>{"Val1", "Val2", "Val3", "Mod1", "Mod2"}));

    store.Load(Record("skillCooldownReduction = 0\nskillManaCostReduction = 0;0\n"
                      "skillProjectileSpeedModifierChance = 50\n"));
    EXPECT_EQ(Kinds(store), std::vector<std::string>{"Val2"});
}

TEST(SkillAttributeStore, ValuesAndModifiersGoToTheirTypes)
{
    SkillAttributeStore_Skill store;
    store.Load(Record("skillCooldownReduction = 5;8\nskillCooldownReductionModifier = 20;40\n"
                      "skillManaCostReduction = 10\nskillManaCostReductionModifier = -50\n"
                      "skillProjectileSpeedModifier = 30;35;40\n"));
    SkillAttributeAccumulator accumulator;
    accumulator.SetSeed(77);
    store.AddToAccumulator(accumulator, 2);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_CooldownReduction), 11.2f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ManaCostReduction), 5.0f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ProjectileSpeedModifier), 35.0f);
    // Three rolls per attribute, value and the two affixes, whatever applies.
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), StateAfter(77, 15));
}

TEST(SkillAttributeStore, AChanceAppliesWhenTheFirstRollIsWithinIt)
{
    const LoadTable record =
        Record("skillCooldownReduction = 10;20\nskillCooldownReductionChance = 50\n");
    SkillAttributeStore_Skill store;
    store.Load(record);

    ASSERT_LE(FirstDraw(1), 50.0f);
    ASSERT_GT(FirstDraw(4), 50.0f);
    for (const auto& [seed, level, expected] :
         {std::tuple{1u, 3u, 20.0f}, std::tuple{4u, 3u, 0.0f}, std::tuple{1u, 0u, 0.0f}}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << " level " << level);
        SkillAttributeAccumulator accumulator;
        accumulator.SetSeed(seed);
        store.AddToAccumulator(accumulator, level);
        EXPECT_EQ(accumulator.GetValue(SkillAttribute_CooldownReduction), expected);
        EXPECT_EQ(accumulator.GetRandomGen().GetState(), StateAfter(seed, 3));
    }
}

TEST(SkillAttributeStore, TextShowsPositiveValuesWithTheirChance)
{
    SkillAttributeStore_Skill store;
    store.Load(Record("skillManaCostReduction = 3;-2\n"
                      "skillCooldownReduction = 10;20\nskillCooldownReductionChance = 50;0\n"
                      "skillProjectileSpeedModifier = 0;15\n"));
    std::vector<std::wstring> lines{L"kept"};
    store.CreateText(lines, 1);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"kept", L"ChanceOfTag 50SkillCooldownReduction 10",
                                                L"SkillManaCostReduction 3"}));

    lines.clear();
    store.CreateText(lines, 2);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"SkillCooldownReduction 20",
                                                L"SkillProjectileSpeedModifier 15"}));

    lines.clear();
    store.CreateText(lines, 0);
    EXPECT_TRUE(lines.empty());
}

} // namespace
} // namespace GAME
