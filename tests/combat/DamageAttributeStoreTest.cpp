#include "combat/CombatAttributeAccumulator.h"

#include "characters/AttributePak.h"
#include "combat/DamageAttributeKinds.h"
#include "combat/DamageAttributeStore.h"
#include "combat/DamageAttributeStore_Equipment.h"
#include "combat/DamageAttributeStore_Skill.h"
#include "combat/RetaliationAttributeKinds.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DamageAttributes.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedAccumulator.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME {
namespace {

using Test::Element;
using Test::EveryKind;
using Test::HeldKinds;
using Test::Join;
using Test::Names;
using Test::Record;
using Test::ScriptedAccumulator;
using Test::ScriptedRandom;
using Test::Types;

using ExposedStore = Test::Exposed<DamageAttributeStore_Equipment>;

float ValueMin(const std::unique_ptr<DamageAttribute>& attribute)
{
    return dynamic_cast<const DamageAttributeAbs&>(*attribute).GetValueMin(1);
}

// An item's store loaded from its record and affixes that give the global chance under the key.
template <typename Store>
void LoadAffixed(Store& store, const std::string& key, const std::string& record,
                 const char* prefix, const char* suffix)
{
    const LoadTable prefixRecord = Record(key + " = " + prefix + "\n");
    const LoadTable suffixRecord = Record(key + " = " + suffix + "\n");
    store.Load(Record(key + " = " + record), &prefixRecord, &suffixRecord, false);
}

TEST(DamageAttributeStoreGlobalChance, SuffixThenPrefixOverrideTheFirstLevelOnly)
{
    const LoadTable record = Record("offensiveGlobalChance = 70;80\n");
    const LoadTable prefix = Record("offensiveGlobalChance = 50\n");
    ExposedStore store;
    LoadAffixed(store, "offensiveGlobalChance", "70;80\n", "50", "30");
    EXPECT_EQ(store.GetGlobalChance(0), 0.0f);
    EXPECT_EQ(store.GetGlobalChance(1), 30.0f);
    EXPECT_EQ(store.GetGlobalChance(9), 80.0f);

    ExposedStore prefixOnly;
    prefixOnly.Load(record, &prefix, nullptr, false);
    EXPECT_EQ(prefixOnly.GetGlobalChance(1), 50.0f);

    // A second load keeps the first record's levels.
    prefixOnly.Load(Record("offensiveGlobalChance = 5\n"), nullptr, nullptr, false);
    EXPECT_EQ(prefixOnly.GetGlobalChance(2), 80.0f);

    ExposedStore none;
    none.Load(Record(""), nullptr, nullptr, false);
    EXPECT_EQ(none.GetGlobalChance(1), 0.0f);
}

TEST(DamageAttributeStoreGlobalChance, OneOfGroupPicksByRunningSumOfChances)
{
    const LoadTable record = Record("offensiveGlobalChance = 100\n"
                                    "offensiveFireMin = 1\noffensiveFireChance = 10\n"
                                    "offensiveFireGlobal = 1\noffensiveFireXOR = 1\n"
                                    "offensiveColdMin = 2\noffensiveColdChance = 30\n"
                                    "offensiveColdGlobal = 1\noffensiveColdXOR = 1\n"
                                    "offensiveLightningMin = 3\noffensiveLightningChance = 60\n"
                                    "offensiveLightningGlobal = 1\noffensiveLightningXOR = 1\n");
    DamageAttributeStore_Skill store;
    store.Load(record);

    const std::pair<float, CombatAttributeType> cases[] = {{10.0f, CombatAttributeType_Fire},
                                                           {10.5f, CombatAttributeType_Cold},
                                                           {40.0f, CombatAttributeType_Cold},
                                                           {40.5f, CombatAttributeType_Lightning}};
    for (const auto& [draw, type] : cases) {
        ScriptedAccumulator accumulator;
        accumulator.random.floats = {100.0f, draw};
        store.AddDamageToAccumulator(accumulator, 1);
        EXPECT_EQ(Types(accumulator.GetDamage()), std::vector<CombatAttributeType>{type}) << draw;
        ASSERT_EQ(accumulator.random.floatCalls.size(), 3u);
        EXPECT_EQ(accumulator.random.floatCalls[1], std::make_pair(0.0f, 100.0f));
    }
}

TEST(DamageAttributeStoreGlobalChance, AllOfGroupTakesPartWhenTheRollReachesTheChance)
{
    const LoadTable record = Record("offensiveGlobalChance = 40\n"
                                    "offensivePoisonMin = 3\n"
                                    "offensiveLifeMin = 4\noffensiveLifeGlobal = 1\n");
    DamageAttributeStore_Skill store;
    store.Load(record);

    ScriptedAccumulator passes;
    passes.random.floats = {3.0f, 40.0f};
    store.AddDamageToAccumulator(passes, 1);
    EXPECT_EQ(
        Types(passes.GetDamage()),
        (std::vector<CombatAttributeType>{CombatAttributeType_Poison, CombatAttributeType_Life}));

    ScriptedAccumulator fails;
    fails.random.floats = {3.0f, 40.5f};
    store.AddDamageToAccumulator(fails, 1);
    EXPECT_EQ(Types(fails.GetDamage()),
              std::vector<CombatAttributeType>{CombatAttributeType_Poison});
    EXPECT_EQ(fails.random.floatCalls.size(), 2u);

    // Level 0 has no chance at all: the groups draw nothing.
    ScriptedAccumulator levelZero;
    store.AddDamageToAccumulator(levelZero, 0);
    EXPECT_EQ(levelZero.random.floatCalls.size(), 1u);
}

TEST(DamageAttributeStoreText, GlobalGroupsGoUnderTheirHeadersInTheSecondList)
{
    const LoadTable record = Record("offensiveGlobalChance = 40;100\n"
                                    "offensivePoisonMin = 3\n"
                                    "offensiveLifeMin = 4\noffensiveLifeGlobal = 1\n"
                                    "offensiveFireMin = 5\noffensiveFireGlobal = 1\n"
                                    "offensiveFireXOR = 1\n");
    DamageAttributeStore_Skill store;
    store.Load(record);

    std::vector<std::wstring> first, second, third;
    store.CreateText(first, second, third, 1);
    EXPECT_TRUE(first.empty());
    ASSERT_EQ(third.size(), 1u) << "only the plain poison line";
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(second[0], L"GlobalPercentChanceOfAllTag 40");
    EXPECT_EQ(second[1].rfind(L"tagIndent", 0), 0u);
    EXPECT_EQ(second[2], L"GlobalPercentChanceOfOneTag 40");
    EXPECT_EQ(second[3].rfind(L"tagIndent", 0), 0u);
    EXPECT_FALSE(store.GetGlobalAndAttributes()[0]->GetHideChanceIndentLine());
}

// Kinds by class name without the "DamageAttribute" head, in the shared order, with the skill- and
// item-only kinds where each loader puts them.
const Names kItemBase = {"AbsBase_Fire",   "AbsBase_Cold", "AbsBase_Lightning",
                         "AbsBase_Poison", "AbsBase_Life", "Abs_BonusPhysical"};
const Names kPhysicalHead = {"AbsMod_Physical", "DurMod_Physical", "AbsMod_PierceRatio",
                             "Abs_Pierce",      "AbsMod_Pierce",   "Dur_Bleeding",
                             "AbsMod_Bleeding", "DurMod_Bleeding", "Abs_ElementalDamage",
                             "AbsMod_Elemental"};
const Names kDrains = {"Abs_LifeLeech",        "Dur_LifeLeach",          "DurMod_LifeLeach",
                       "Abs_ManaBurn",         "AbsMod_ManaBurn",        "Dur_ManaLeach",
                       "DurMod_ManaLeach",     "Dur_OffensiveAbility",   "DurMod_OffensiveAbility",
                       "Dur_DefensiveAbility", "DurMod_DefensiveAbility"};
const Names kReductions = {"Dur_OffensiveReduction",
                           "DurMod_OffensiveReduction",
                           "Dur_DefensiveReduction",
                           "Dur_TotalDamageReductionPercent",
                           "Dur_TotalDamageReductionAbsolute",
                           "Dur_TotalResistanceReductionPercent",
                           "Dur_TotalResistanceReductionAbsolute",
                           "Dur_Fumble",
                           "Dur_ProjectileFumble"};
const Names kCommonHead =
    Join(kPhysicalHead, Element("Fire"), Element("Cold"), Element("Lightning"), Element("Poison"),
         Names{"Abs_PercentCurrentLife"}, Element("Life"), kDrains, kReductions);
const Names kStun = {"Reflex_Stun", "AbsMod_Stun"};
const Names kPetrify = {"Reflex_Freeze", "Reflex_Petrify"};
const Names kCommonTail = {"Abs_Confusion",      "Dur_TotalSpeed",     "Dur_AttackSpeed",
                           "DurMod_AttackSpeed", "Dur_SpellCastSpeed", "DurMod_SpellCastSpeed",
                           "Dur_RunSpeed",       "DurMod_RunSpeed"};

Names DamageKinds(const DamageAttributeStore& store)
{
    return HeldKinds(store.GetAttributes(), GetDamageAttributeKinds(), "DamageAttribute");
}

TEST(DamageAttributeStoreLoad, EachLoaderKeepsItsOrderOfKinds)
{
    const LoadTable record = EveryKind(GetDamageAttributeKinds());
    DamageAttributeStore_Skill skillStore;
    skillStore.Load(record);
    const Names skill = Join(Names{"_Physical", "Dur_Physical"}, kCommonHead,
                             Names{"Abs_Disruption"}, kStun, Names{"Reflex_Trap"}, kPetrify,
                             Names{"Abs_Taunt", "Abs_Convert", "Abs_Fear"}, kCommonTail);
    EXPECT_EQ(DamageKinds(skillStore), skill);

    const Names itemTail = Join(kCommonHead, kStun, kPetrify, Names{"Abs_Convert"}, kCommonTail,
                                Names{"Abs_Disruption"});
    DamageAttributeStore_Equipment weapon;
    weapon.Load(record, nullptr, nullptr, false);
    EXPECT_EQ(DamageKinds(weapon), Join(Names{"_BasePhysical"}, kItemBase, itemTail));

    DamageAttributeStore_Equipment armour;
    armour.Load(record, nullptr, nullptr, true);
    EXPECT_EQ(DamageKinds(armour), Join(Names{"_Physical"}, itemTail));
}

template <typename Store> void ExpectAffixesJitteredOnTheirOwn(const std::string& key, size_t first)
{
    SCOPED_TRACE(key);
    const LoadTable record = Record(key + " = 10\n");
    const LoadTable prefix = Record(key + " = 20\n");
    const LoadTable suffix = Record(key + " = 30\nlootRandomizerJitter = 10\n");
    ScriptedRandom random;
    random.ints = {1, -2};
    Store store;
    store.SetRandomGen(&random);
    store.Load(record, &prefix, &suffix, false);

    // The item's own record rolls 20 percent, the prefix nothing, the suffix its 10 percent.
    const auto& attributes = store.GetAttributes();
    ASSERT_EQ(attributes.size(), first + 3);
    EXPECT_EQ(ValueMin(attributes[first]), 11.0f);
    EXPECT_EQ(ValueMin(attributes[first + 1]), 20.0f);
    EXPECT_EQ(ValueMin(attributes[first + 2]), 28.0f);
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-1, 1}, {-2, 2}}));
    EXPECT_EQ(store.GetRandomGen(), nullptr) << "the lent generator is gone after loading";
}

TEST(DamageAttributeStoreLoad, BasePrefixAndSuffixEachGiveAnAttributeJitteredOnItsOwn)
{
    // The weapon's base physical damage comes first.
    ExpectAffixesJitteredOnTheirOwn<DamageAttributeStore_Equipment>("offensiveFireMin", 1);
    ExpectAffixesJitteredOnTheirOwn<RetaliationAttributeStore_Equipment>("retaliationFireMin", 0);
}

TEST(DamageAttributeStoreLoad, CostAndScaleReachEveryGroup)
{
    const LoadTable record = Record("offensivePhysicalMin = 5\noffensivePhysicalMax = 9\n"
                                    "offensiveFireMin = 10\noffensiveFireMax = 20\n"
                                    "offensiveFireGlobal = 1\noffensiveFireXOR = 1\n");
    DamageAttributeStore_Equipment store;
    store.Load(record, nullptr, nullptr, false);
    CostInfo_DamageAttributes cost;
    store.GetCostInfo(cost);
    EXPECT_EQ(GAME::Test::CostFields(cost), (std::vector<float>{7.0f, 0, 15.0f, 0, 0, 0, 2}));

    store.ScaleAttributes(50.0f);
    EXPECT_EQ(ValueMin(store.GetGlobalXorAttributes()[0]), 14.0f);
}

template <typename Store>
void ExpectDeepCopies(const std::string& text, const std::vector<CombatAttributeType>& added)
{
    RandomUniform random;
    auto source = std::make_unique<Store>();
    source->Load(Record(text));
    source->SetRandomGen(&random);

    Store copy(*source);
    Store assigned;
    assigned.Load(Record("offensiveColdMin = 1\nretaliationColdMin = 1\n"));
    assigned = *source;
    const Store& itself = assigned;
    assigned = itself;
    EXPECT_NE(copy.GetAttributes()[0].get(), source->GetAttributes()[0].get());
    source.reset();

    for (const Store* store : {&copy, &assigned}) {
        EXPECT_EQ(store->GetRandomGen(), nullptr);
        CombatAttributeAccumulator accumulator;
        store->AddDamageToAccumulator(accumulator, 1);
        EXPECT_EQ(Types(accumulator.GetDamage()), added);
    }
}

TEST(DamageAttributeStoreCopy, CopiesOwnTheirAttributesAndNoGenerator)
{
    ExpectDeepCopies<DamageAttributeStore_Skill>(
        "offensiveGlobalChance = 100\noffensivePoisonMin = 3\n"
        "offensiveLifeMin = 4\noffensiveLifeGlobal = 1\n"
        "offensiveFireMin = 5\noffensiveFireGlobal = 1\noffensiveFireXOR = 1\n",
        {CombatAttributeType_Poison, CombatAttributeType_Life, CombatAttributeType_Fire});
    ExpectDeepCopies<RetaliationAttributeStore_Skill>(
        "retaliationGlobalChance = 100\nretaliationElementalMin = 30\n"
        "retaliationLifeMin = 4\nretaliationLifeGlobal = 1\n",
        {CombatAttributeType_Cold, CombatAttributeType_Fire, CombatAttributeType_Lightning,
         CombatAttributeType_Life});
}

class AttributePakStores : public Test::EngineFixture {};

TEST_F(AttributePakStores, PackRecordLoadsAndAddsDamageRetaliationAndDefense)
{
    AttributePak pak;
    pak.LoadFromTable(Record("offensiveFireMin = 7\noffensivePhysicalModifier = 25\n"
                             "retaliationPhysicalMin = 12\nretaliationFireModifier = 25\n"
                             "defensiveFire = 15\ndefensiveStun = 5;10\n"
                             "defensiveColdDurationModifier = 3\n"));

    CombatAttributeAccumulator offense;
    pak.GetOffensiveDamageAttributes(offense, 1);
    pak.GetOffensiveModifierAttributes(offense, 1);
    EXPECT_EQ(Types(offense.GetDamage()), std::vector{CombatAttributeType_Fire});
    EXPECT_EQ(Types(offense.GetDamageModifiers()), std::vector{CombatAttributeType_Physical});

    CombatAttributeAccumulator retaliation;
    pak.GetRetaliationAttributes(retaliation, 1);
    EXPECT_EQ(Types(retaliation.GetDamage()), std::vector{CombatAttributeType_Physical});
    EXPECT_EQ(Types(retaliation.GetDamageModifiers()), std::vector{CombatAttributeType_Fire});

    CombatAttributeAccumulator defense;
    pak.GetDefenseAttributes(defense, 2);
    EXPECT_EQ(Types(defense.GetDefenses()),
              (std::vector{CombatAttributeType_Fire, CombatAttributeType_Stun}));
    EXPECT_EQ(defense.GetTotalDefenseType(CombatAttributeType_Stun), 10.0f);
    EXPECT_EQ(Types(defense.GetDefenseModifiers()), std::vector{CombatAttributeType_Cold});
}

using ExposedRetaliationStore = Test::Exposed<RetaliationAttributeStore_Equipment>;

Names RetaliationKinds(const DamageAttributeStore::AttributeList& list)
{
    return HeldKinds(list, GetRetaliationAttributeKinds(), "RetaliationAttribute");
}

const Names kRetaliationHead = {
    "Abs_Physical", "Dur_Physical",  "AbsMod_Physical", "DurMod_Physical", "AbsMod_PierceRatio",
    "Abs_Pierce",   "AbsMod_Pierce", "Dur_Bleeding",    "DurMod_Bleeding", "Abs_ElementalDamage"};
const Names kRetaliationTail =
    Join(Names{"Abs_PercentCurrentLife"}, Element("Life"),
         Names{"Dur_LifeLeach", "DurMod_LifeLeach", "Dur_ManaLeach", "DurMod_ManaLeach",
               "Dur_OffensiveAbility", "DurMod_OffensiveAbility", "Dur_DefensiveAbility",
               "DurMod_DefensiveAbility", "Dur_OffensiveReduction", "DurMod_OffensiveReduction",
               "Reflex_Stun", "AbsMod_Stun", "Dur_AttackSpeed", "DurMod_AttackSpeed",
               "Dur_SpellCastSpeed", "DurMod_SpellCastSpeed", "Dur_RunSpeed", "DurMod_RunSpeed"});

TEST(RetaliationAttributeStoreLoad, ItemsTakeColdPoisonLightningFireSkillsFireColdLightningPoison)
{
    const LoadTable record = EveryKind(GetRetaliationAttributeKinds());
    RetaliationAttributeStore_Skill skill;
    skill.Load(record);
    EXPECT_EQ(RetaliationKinds(skill.GetAttributes()),
              Join(kRetaliationHead, Element("Fire"), Element("Cold"), Element("Lightning"),
                   Element("Poison"), kRetaliationTail));

    RetaliationAttributeStore_Equipment item;
    item.Load(record, nullptr, nullptr, true);
    EXPECT_EQ(RetaliationKinds(item.GetAttributes()),
              Join(kRetaliationHead, Element("Cold"), Element("Poison"), Element("Lightning"),
                   Element("Fire"), kRetaliationTail));
}

TEST(RetaliationAttributeStoreLoad, OffensiveKeysLeaveTheStoreEmpty)
{
    const LoadTable record =
        Record("offensiveGlobalChance = 100\noffensivePhysicalMin = 5\n"
               "offensiveFireMin = 3\noffensiveFireGlobal = 1\n"
               "offensiveSlowPoisonMin = 2\noffensiveSlowPoisonDurationMin = 1\n"
               "offensiveStunModifier = 10\n");
    ExposedRetaliationStore item;
    item.Load(record, &record, &record, false);
    RetaliationAttributeStore_Skill skill;
    skill.Load(record);
    for (const DamageAttributeStore* store :
         {static_cast<DamageAttributeStore*>(&item), static_cast<DamageAttributeStore*>(&skill)}) {
        EXPECT_TRUE(store->GetAttributes().empty());
        EXPECT_TRUE(store->GetGlobalAndAttributes().empty());
        EXPECT_TRUE(store->GetGlobalXorAttributes().empty());
    }
    EXPECT_EQ(item.GetGlobalChance(1), 0.0f) << "the offensive chance is not retaliation's";
}

TEST(RetaliationAttributeStoreGlobal, DamageAndModifierOfOneNameShareTheOneOfGroup)
{
    RetaliationAttributeStore_Skill store;
    store.Load(Record("retaliationPhysicalMin = 5\nretaliationPhysicalModifier = 20\n"
                      "retaliationPhysicalGlobal = 1\nretaliationPhysicalXOR = 1\n"
                      "retaliationStunMin = 1\nretaliationStunModifier = 10\n"
                      "retaliationStunGlobal = 1\n"));
    EXPECT_EQ(RetaliationKinds(store.GetGlobalXorAttributes()),
              (Names{"Abs_Physical", "AbsMod_Physical"}));
    EXPECT_EQ(RetaliationKinds(store.GetGlobalAndAttributes()),
              (Names{"Reflex_Stun", "AbsMod_Stun"}));
    EXPECT_TRUE(store.GetAttributes().empty());
}

TEST(RetaliationAttributeStoreGlobal, SuffixHundredBeatsRecordFortyAtTheItemsLevel)
{
    ExposedRetaliationStore store;
    LoadAffixed(store, "retaliationGlobalChance",
                "40\nretaliationColdMin = 6\nretaliationColdGlobal = 1\n", "30", "100");
    EXPECT_EQ(store.GetGlobalChance(1), 100.0f);
    EXPECT_EQ(store.GetGlobalChance(2), 40.0f);

    // Any roll up to 100 lets the group in at level 1.
    ScriptedAccumulator accumulator;
    accumulator.random.floats = {99.5f, 6.0f};
    store.AddDamageToAccumulator(accumulator, 1);
    EXPECT_EQ(Types(accumulator.GetDamage()),
              std::vector<CombatAttributeType>{CombatAttributeType_Cold});
}

} // namespace
} // namespace GAME
