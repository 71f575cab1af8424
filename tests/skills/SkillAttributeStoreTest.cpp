#include "characters/AttributePak.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_SkillAttributes.h"
#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillAttributeMod.h"
#include "skills/SkillAttributeStore_Equipment.h"
#include "skills/SkillAttributeStore_Skill.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME {
namespace {

using Test::Record;

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

RandomUniform Seeded(uint32_t seed)
{
    RandomUniform random;
    random.Seed(seed);
    return random;
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

TEST(SkillAttributeStore, JitterNeedsAGeneratorAndScaleAndNextTextReachEveryAttribute)
{
    SkillAttributeStore_Skill store;
    store.Load(Record("skillCooldownReduction = 3\nskillManaCostReductionModifier = 7;9\n"));
    store.AddJitter(10.0f);
    RandomUniform random = Seeded(3);
    store.SetRandomGen(&random);
    store.AddJitter(0.0f);
    EXPECT_EQ(random.GetState(), Seeded(3).GetState());

    store.AddJitter(10.0f);
    RandomUniform expected = Seeded(3);
    const float value = 3.0f + static_cast<float>(expected.IGenerate(-1, 1));
    const float modifier = 7.0f + static_cast<float>(expected.IGenerate(-1, 1));
    expected.IGenerate(-1, 1);
    EXPECT_EQ(random.GetState(), expected.GetState());
    EXPECT_EQ(store.GetAttributes()[0]->GetValue(1), value);
    EXPECT_EQ(store.GetAttributes()[1]->GetValue(1), modifier);

    store.Load(Record("skillCooldownReduction = 7;7\nskillManaCostReductionModifier = 7;9\n"));
    store.ScaleAttributes(50.0f);
    std::vector<std::wstring> lines;
    store.CreateNextText(lines, 1, 2);
    EXPECT_EQ(lines, std::vector<std::wstring>{L"SkillManaCostReductionModifier 13"});
}

TEST(SkillAttributeStore, EquipmentRollsItsAffixesOnTheStoresGenerator)
{
    const LoadTable record = Record("skillCooldownReduction = 10\n");
    const LoadTable prefix = Record("skillManaCostReduction = 20\nlootRandomizerJitter = 10\n"
                                    "skillManaCostReductionChance = 30\n");
    const LoadTable suffix = Record("skillCooldownReductionModifier = 40\n");

    SkillAttributeStore_Equipment store;
    store.Load(record, &prefix, &suffix, false);
    EXPECT_EQ(Kinds(store), (std::vector<std::string>{"Val1", "Val2", "Mod1"}));
    EXPECT_EQ(store.GetAttributes()[1]->GetPrefixValue(), 20.0f);
    EXPECT_EQ(store.GetAttributes()[2]->GetSuffixValue(), 40.0f);

    // Only the two affix values roll; an affix without a jitter percentage still moves a unit.
    RandomUniform random = Seeded(5);
    store.SetRandomGen(&random);
    store.Load(record, &prefix, &suffix, true);
    RandomUniform expected = Seeded(5);
    const float prefixValue = 20.0f + static_cast<float>(expected.IGenerate(-1, 1));
    const float suffixValue = 40.0f + static_cast<float>(expected.IGenerate(-1, 1));
    EXPECT_EQ(random.GetState(), expected.GetState());

    EXPECT_EQ(store.GetAttributes()[1]->GetPrefixValue(), prefixValue);
    EXPECT_EQ(store.GetAttributes()[2]->GetSuffixValue(), suffixValue);

    CostInfo_SkillAttributes info;
    store.GetCostInfo(info);
    EXPECT_EQ(info.base, 10.0f);
    EXPECT_EQ(info.bonus, prefixValue);
    EXPECT_EQ(info.bonusCount, 2);
}

TEST(SkillAttributeStore, KeepsItsLentGeneratorPastLoadingForTheJitterButCopiesGoWithout)
{
    RandomUniform random = Seeded(5);
    SkillAttributeStore_Equipment item;
    item.SetRandomGen(&random);
    item.Load(Record("skillCooldownReduction = 10\n"), nullptr, nullptr, false);
    EXPECT_EQ(item.GetRandomGen(), &random) << "the item jitters after loading";

    SkillAttributeStore_Equipment copy(item);
    SkillAttributeStore_Equipment assigned;
    assigned.SetRandomGen(&random);
    assigned = item;
    for (SkillAttributeStore* store : {&copy, &assigned}) {
        EXPECT_EQ(store->GetRandomGen(), nullptr);
        store->AddJitter(20.0f);
    }
    EXPECT_EQ(random.GetState(), Seeded(5).GetState()) << "a copy has nothing to roll with";
    EXPECT_NE(copy.GetAttributes()[0].get(), item.GetAttributes()[0].get());

    item.AddJitter(20.0f);
    EXPECT_EQ(random.GetState(), StateAfter(5, 1));
}

class SkillAttributePak : public GAME::Test::EngineFixture {};

TEST_F(SkillAttributePak, LoadsEverySkillKeyAddsItAndShowsIt)
{
    constexpr const char* kPak = "Records/Game/MonsterAttributePak.dbr";
    database.WriteRecord(kPak,
                         {"skillCooldownReduction = 5;8", "skillCooldownReductionModifier = 20;40",
                          "skillManaCostReduction = 10", "skillManaCostReductionModifier = -50",
                          "skillProjectileSpeedModifier = 30;35;40"});
    AttributePak pak;
    pak.LoadFromDatabase(kPak);

    SkillAttributeAccumulator accumulator;
    accumulator.SetSeed(77);
    pak.GetSkillAttributes(accumulator, 2);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_CooldownReduction), 11.2f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ManaCostReduction), 5.0f);
    EXPECT_EQ(accumulator.GetValue(SkillAttribute_ProjectileSpeedModifier), 35.0f);
    // Three rolls per attribute, value and the two affixes, whatever applies.
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), StateAfter(77, 15));

    std::vector<GameTextLine> lines;
    pak.GetUIDisplayText(2, GameTextClass::Default, lines);
    std::vector<std::wstring> texts;
    for (const GameTextLine& line : lines)
        texts.push_back(line.text);
    EXPECT_EQ(texts,
              (std::vector<std::wstring>{L"SkillCooldownReduction 8", L"SkillManaCostReduction 10",
                                         L"SkillProjectileSpeedModifier 35",
                                         L"SkillCooldownReductionModifier 40"}));
    EXPECT_TRUE(log.GetLines().empty());
}

} // namespace
} // namespace GAME
