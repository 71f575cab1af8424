#include "combat/CombatAttributeAccumulator.h"

#include "characters/AttributePak.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/DamageAttributeKinds.h"
#include "combat/DamageAttributeStore.h"
#include "combat/DamageAttributeStore_Equipment.h"
#include "combat/DamageAttributeStore_Skill.h"
#include "combat/DefenseAttributeAbs.h"
#include "combat/DefenseAttributeAbsMod.h"
#include "combat/DefenseAttributeDur.h"
#include "combat/DefenseAttributeDurMod.h"
#include "combat/DefenseAttributeStore_Character.h"
#include "combat/DefenseAttributeStore_Equipment.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/DefenseAttribute_BaseProtectionAbsorption.h"
#include "combat/DefenseAttribute_SkillProtectionAbsorption.h"
#include "combat/RacialBonus.h"
#include "combat/RetaliationAttributeKinds.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DamageAttributes.h"
#include "items/CostInfo_DefenseAttributes.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/RiggedAccumulator.h"
#include "tests/support/ScriptedAccumulator.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
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

using Test::Record;

const char* const kUndeadAndBeasts = "racialBonusRace = Undead;Beast\n"
                                     "racialBonusPercentDamage = 10;20;30\n"
                                     "racialBonusAbsoluteDamage = 5\n"
                                     "racialBonusPercentDefense = 0\n"
                                     "racialBonusAbsoluteDefense = 4;2\n";

TEST(RacialBonusTest, CreateNeedsARaceOrAValue)
{
    EXPECT_EQ(RacialBonus::Create(Record("offensivePhysicalMin = 3\n")), nullptr);
    EXPECT_EQ(RacialBonus::Create(Record("racialBonusPercentDamage = 0\n")), nullptr);

    const auto racesOnly = RacialBonus::Create(Record("racialBonusRace = Undead\n"));
    std::vector<GameTextLine> lines;
    racesOnly->GetUIDisplayText(1, GameTextClass::Default, lines);
    EXPECT_TRUE(lines.empty());
}

TEST(RacialBonusTest, LevelsHoldTheLastEntryAndSumsAddOnceWhenAnyRaceMatches)
{
    const auto bonus = RacialBonus::Create(Record(kUndeadAndBeasts));
    EXPECT_EQ(bonus->GetPercentDamage(0), 0.0f);
    EXPECT_EQ(bonus->GetPercentDamage(2), 20.0f);
    EXPECT_EQ(bonus->GetPercentDamage(5), 30.0f);

    RacialBonus_Damage damage{1.0f, 1.0f};
    bonus->GetDamage({"Beast", "Undead"}, damage, 1);
    EXPECT_EQ(std::make_pair(damage.percent, damage.absolute), std::make_pair(11.0f, 6.0f));
    bonus->GetDamage({"undead", "Human"}, damage, 1);
    EXPECT_EQ(damage.percent, 11.0f);

    RacialBonus_Defense defense;
    bonus->GetDefense({"Human", "Undead"}, defense, 2);
    bonus->GetDefense({"Beast"}, defense, 9);
    EXPECT_EQ(std::make_pair(defense.percent, defense.absolute), std::make_pair(0.0f, 4.0f));
}

class RacialBonusFile : public Test::EngineFixture {};

TEST_F(RacialBonusFile, CreateFromFileReadsTheRecordOrAnswersNull)
{
    database.WriteRecord("records/bonus/undead.dbr",
                         {"racialBonusRace = Undead", "racialBonusAbsoluteDamage = 7"});
    EXPECT_EQ(RacialBonus::CreateFromFile(""), nullptr);
    EXPECT_EQ(RacialBonus::CreateFromFile("records/bonus/missing.dbr"), nullptr);
    const auto bonus = RacialBonus::CreateFromFile("records/bonus/undead.dbr");
    EXPECT_EQ(bonus->GetAbsoluteDamage(1), 7.0f);
}

using Test::DefensesOf;
using Test::Lines;
using Test::Names;
using Test::Pairs;
using Test::Record;
using Test::RiggedAccumulator;
using Test::ScriptedRandom;

// A kind loaded from the record text, or nothing when the record gives it nothing.
template <typename T> std::unique_ptr<T> Loaded(const std::string& text, bool keepEmpty = false)
{
    auto attribute = std::make_unique<T>();
    if (!attribute->LoadFromTable(Record(text), keepEmpty))
        return nullptr;
    return attribute;
}

// The defenses (type, value) that the attribute adds to a fresh attack at the level.
Pairs Defenses(const DefenseAttribute& attribute, uint32_t level)
{
    CombatAttributeAccumulator accumulator;
    attribute.AddToAccumulator(accumulator, level, false);
    return DefensesOf(accumulator);
}

template <typename T> std::vector<std::string> KeysOf()
{
    T attribute;
    return {attribute.GetChanceKey(), attribute.GetValueKey(), attribute.GetDisplayTag()};
}

using Keys = std::vector<std::string>;

TEST(DefenseAttribute, KeysJoinTheKindWordWithTheFamilyWords)
{
    EXPECT_EQ(KeysOf<DefenseAttributeAbs_Physical>(),
              (Keys{"defensivePhysicalChance", "defensivePhysical", "DefensePhysical"}));
    // The leech kinds read the slow leech keys but show their own name.
    EXPECT_EQ(KeysOf<DefenseAttributeAbs_LifeLeach>(),
              (Keys{"defensiveSlowLifeLeachChance", "defensiveSlowLifeLeach", "DefenseLifeLeach"}));
    EXPECT_EQ(KeysOf<DefenseAttributeAbs_ManaBurnRatio>(),
              (Keys{"defensiveManaBurnRatioChance", "defensiveManaBurnRatio", "MONSTER ONLY"}));
    EXPECT_EQ(DefenseAttributeAbs_ManaBurnRatio().GetType(), 46);
}

TEST(DefenseAttribute, ALoneZeroIsNoValueUnlessKeptEmptyAndLevelsClampToTheList)
{
    EXPECT_EQ(Loaded<DefenseAttributeAbs_Fire>("defensiveFire = 0\n"), nullptr);
    EXPECT_EQ(Loaded<DefenseAttributeAbs_Fire>("defensiveFireChance = 50\n"), nullptr);
    const auto kept = Loaded<DefenseAttributeAbs_Fire>("defensiveFire = 0\n", true);
    EXPECT_EQ(Defenses(*kept, 3), (Pairs{{CombatAttributeType_Fire, 0.0f}}));

    const auto fire = Loaded<DefenseAttributeAbs_Fire>("defensiveFire = 10;20;30\n");
    EXPECT_EQ(Defenses(*fire, 2), (Pairs{{CombatAttributeType_Fire, 20.0f}}));
    EXPECT_EQ(Defenses(*fire, 5), (Pairs{{CombatAttributeType_Fire, 30.0f}}));
    EXPECT_EQ(Defenses(*fire, 0), (Pairs{{CombatAttributeType_Fire, 0.0f}}));
}

TEST(DefenseAttribute, EachFamilyAddsItsOwnCombatAttribute)
{
    CombatAttributeAccumulator accumulator;
    const std::unique_ptr<DefenseAttribute> attributes[] = {
        Loaded<DefenseAttributeAbs_Stun>("defensiveStun = 5\n"),
        Loaded<DefenseAttributeDur_Cold>("defensiveColdDuration = 6\n"),
        Loaded<DefenseAttributeMisc_BlockModifier>("defensiveBlockModifier = 7\n"),
        Loaded<DefenseAttributeAbsMod_Fire>("defensiveFireModifier = 8\n"),
        Loaded<DefenseAttributeDurMod_Poison>("defensivePoisonDurationModifier = 9\n")};
    for (const auto& attribute : attributes)
        attribute->AddToAccumulator(accumulator, 1, false);

    const auto& defenses = accumulator.GetDefenses();
    ASSERT_EQ(defenses.size(), 3u);
    EXPECT_TRUE(dynamic_cast<const CombatAttributeAbsDefenseRestricted*>(defenses[0].get()));
    EXPECT_TRUE(dynamic_cast<const CombatAttributeDurDefense*>(defenses[1].get()));
    EXPECT_TRUE(dynamic_cast<const CombatAttributeDefenseMisc*>(defenses[2].get()));
    EXPECT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_BlockModifier), 7.0f);
    const auto& modifiers = accumulator.GetDefenseModifiers();
    ASSERT_EQ(modifiers.size(), 2u);
    EXPECT_TRUE(dynamic_cast<const CombatAttributeAbsDefenseMod*>(modifiers[0].get()));
    EXPECT_TRUE(dynamic_cast<const CombatAttributeDurDefenseMod*>(modifiers[1].get()));
}

TEST(DefenseAttribute, ElementalResistanceRollsOnceForColdFireAndLightning)
{
    const auto elemental = Loaded<DefenseAttributeAbs_ElementalResistance>(
        "defensiveElementalResistance = 12\ndefensiveElementalResistanceChance = 50\n");
    for (const bool pass : {true, false}) {
        RiggedAccumulator accumulator;
        accumulator.pass = pass;
        elemental->AddToAccumulator(accumulator, 1, false);
        EXPECT_EQ(accumulator.rolls, 1);
        EXPECT_EQ(DefensesOf(accumulator),
                  pass ? (Pairs{{5, 12.0f}, {6, 12.0f}, {8, 12.0f}}) : Pairs{});
    }
}

TEST(DefenseAttribute, JitterNeverWipesAValueOutAndDrawsOnlyForValues)
{
    auto one = Loaded<DefenseAttributeAbs_Physical>("defensivePhysical = 1;1\n");
    ScriptedRandom random;
    random.ints = {-1, 1};
    one->AddJitter(20.0f, &random);
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-1, 1}, {-1, 1}}));
    EXPECT_EQ(Defenses(*one, 1)[0].second, 1.0f) << "a candidate of 0 keeps the 1";
    EXPECT_EQ(Defenses(*one, 2)[0].second, 2.0f);

    auto zero = Loaded<DefenseAttributeAbs_Physical>("", true);
    zero->AddJitter(20.0f, &random);
    EXPECT_EQ(random.intCalls.size(), 2u) << "a value of 0 draws nothing";

    // Beyond 50 percent rolls as 50.
    auto wide = Loaded<DefenseAttributeAbs_Physical>("defensivePhysical = 100\n");
    wide->AddJitter(80.0f, &random);
    EXPECT_EQ(random.intCalls.back(), std::make_pair(-49, 49));
}

TEST(DefenseAttribute, ScalingAddsWholeUnitsTruncatedTowardZero)
{
    auto physical = Loaded<DefenseAttributeAbs_Physical>("defensivePhysical = 15;-15;3e10;100\n");
    physical->ScaleAttribute(0.0f);
    EXPECT_EQ(Defenses(*physical, 1)[0].second, 15.0f);
    physical->ScaleAttribute(10.0f);
    EXPECT_EQ(Defenses(*physical, 1)[0].second, 16.0f);
    EXPECT_EQ(Defenses(*physical, 2)[0].second, -16.0f);
    // The single-precision hundredth makes 10 percent of 100 a 9.9999998, so 9, as every kind does.
    EXPECT_EQ(Defenses(*physical, 4)[0].second, 109.0f);
    // A step beyond the integers saturates instead of wrapping to a negative one.
    EXPECT_EQ(Defenses(*physical, 3)[0].second, 3e10f + 2147483648.0f);
}

TEST(DefenseAttribute, CostWeighsTheLevelOneValueByItsChanceIntoTheFamilysField)
{
    CostInfo_DefenseAttributes info;
    Loaded<DefenseAttributeAbs_Fire>("defensiveFire = 40;90\ndefensiveFireChance = 30\n")
        ->GetCostInfo(info);
    EXPECT_EQ(std::tie(info.base, info.count), std::make_tuple(12.0f, 1));

    Loaded<DefenseAttributeDur_Fire>("defensiveFireDuration = 5\n")->GetCostInfo(info);
    Loaded<DefenseAttributeAbsMod_Fire>("defensiveFireModifier = 6\n")->GetCostInfo(info);
    Loaded<DefenseAttributeDurMod_Fire>("defensiveFireDurationModifier = 7\n")->GetCostInfo(info);
    Loaded<DefenseAttributeAbs_Fire>("", true)->GetCostInfo(info);
    EXPECT_EQ(std::tie(info.baseDuration, info.mod, info.modDuration, info.count),
              std::make_tuple(5.0f, 6.0f, 7.0f, 4))
        << "a value of 0 is not counted";
}

// Protection needs the game's absorption, so these tests run a game engine.
class DefenseAttributeProtectionTest : public Test::GameEngineFixture {
protected:
    // Armour of 100 with a prefix of 20 on the legs, added to the accumulator.
    static void AddArmour(CombatAttributeAccumulator& accumulator)
    {
        DefenseAttributeStore_Equipment store;
        const LoadTable prefix = Record("defensiveProtection = 20\n");
        store.Load(Record("defensiveProtection = 100\n"), &prefix, nullptr, true,
                   CombatAttributeRegion_Legs);
        store.AddToAccumulator(accumulator, 1);
    }
};

TEST_F(DefenseAttributeProtectionTest, WithoutAbsorptionArmourAddsNothing)
{
    Start({"armorDefensiveAbsorption = 0"});
    CombatAttributeAccumulator accumulator;
    AddArmour(accumulator);
    EXPECT_TRUE(accumulator.GetDefenses().empty());
}

TEST_F(DefenseAttributeProtectionTest, ArmourAddsItsTotalProtectionForItsRegion)
{
    Start({"armorDefensiveAbsorption = 70"});
    CombatAttributeAccumulator accumulator;
    AddArmour(accumulator);
    ASSERT_EQ(accumulator.GetDefenses().size(), 1u);
    auto& armour =
        dynamic_cast<CombatAttributeDefense_AbsorptionProtection&>(*accumulator.GetDefenses()[0]);
    EXPECT_EQ(std::make_pair(armour.GetAbsorption(), armour.GetProtection()),
              std::make_pair(70.0f, 120.0f));
    // 70 % of 120 is absorbed from a hit on the legs, where the store put it.
    CombatAttributeAbsDamage legs(CombatAttributeType_AbsorptionProtection, 100.0f);
    armour.Execute(&legs, CombatAttributeRegion_Legs);
    EXPECT_FLOAT_EQ(legs.GetValue(), 16.0f);
}

TEST_F(DefenseAttributeProtectionTest, ArmourScalesItsOwnListAndRollsOnlyItsAffixes)
{
    Start({"armorDefensiveAbsorption = 70"});
    const LoadTable prefix = Record("defensiveProtection = 20\n");
    const LoadTable suffix = Record("defensiveProtection = 10\n");
    DefenseAttribute_BaseProtectionAbsorption armour;
    ASSERT_TRUE(
        armour.LoadFromTable(Record("defensiveProtection = 100;200\n"), &prefix, &suffix, false));
    armour.ScaleAttribute(10.0f);
    Lines first, second;
    armour.CreateText(2, first, second);
    armour.CreateNextText(1, 2, first, second);
    EXPECT_EQ(first, (Lines{L"DefenseAbsorptionProtection 219"}));
    EXPECT_EQ(second, (Lines{L"DefenseAbsorptionProtectionBonus 30"}));
    CostInfo_DefenseAttributes info;
    armour.GetCostInfo(info);
    EXPECT_EQ(info.armor, 139.0f);

    ScriptedRandom random;
    random.ints = {2, -1};
    armour.AddJitter(20.0f, &random);
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-3, 3}, {-1, 1}}));
    CombatAttributeAccumulator accumulator;
    armour.AddToAccumulator(accumulator, 1, false);
    EXPECT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_AbsorptionProtection),
              109.0f + 22.0f + 9.0f);
}

// Each attribute by its value key; the protection classes by their own names.
Names KindsOf(const DefenseAttributeStore& store)
{
    Names names;
    for (const auto& attribute : store.GetAttributes()) {
        if (dynamic_cast<const DefenseAttribute_SkillProtectionAbsorption*>(attribute.get()))
            names.push_back("skill protection");
        else if (dynamic_cast<const DefenseAttribute_BaseProtectionAbsorption*>(attribute.get()))
            names.push_back("base protection");
        else
            names.push_back(static_cast<const DefenseAttribute_Typical&>(*attribute).GetValueKey());
    }
    return names;
}

Pairs Defenses(const DefenseAttributeStore& store, uint32_t level)
{
    CombatAttributeAccumulator accumulator;
    store.AddToAccumulator(accumulator, level);
    return DefensesOf(accumulator);
}

// The value keys of the equipment sequence, in its order.
Names EquipmentKeys()
{
    Names keys;
    const auto add = [&](const std::string& words) {
        std::istringstream stream(words);
        for (std::string word; stream >> word;)
            keys.push_back("defensive" + word);
    };
    add("ProtectionModifier AbsorptionModifier Physical PhysicalModifier PhysicalDuration "
        "PhysicalDurationModifier Pierce PierceModifier");
    for (const std::string kind : {"Bleeding", "ElementalResistance", "Fire", "Cold", "Lightning",
                                   "Poison", "Life", "SlowLifeLeach", "SlowManaLeach"})
        add(kind == "ElementalResistance"
                ? kind
                : kind + " " + kind + "Duration " + kind + "Modifier " + kind + "DurationModifier");
    add("Stun StunModifier Trap Freeze Petrify Disruption Taunt Fear Confusion BlockModifier "
        "Reflect");
    return keys;
}

// A record that gives every key of both sequences the value 1, protection included.
LoadTable EveryKey()
{
    std::string text = "defensiveProtection = 1\ndefensiveConvert = 1\n"
                       "defensiveManaBurnRatio = 1\ndefensivePercentCurrentLife = 1\n";
    for (const std::string& key : EquipmentKeys())
        text += key + " = 1\n";
    return Record(text);
}

TEST(DefenseAttributeStore, EquipmentAndSkillsLoadTheirSequences)
{
    const LoadTable record = EveryKey();
    Names equipment = EquipmentKeys();
    ASSERT_EQ(equipment.size(), 52u);
    equipment.insert(equipment.begin(), "base protection");
    DefenseAttributeStore_Equipment item;
    item.Load(record, nullptr, nullptr, true, CombatAttributeRegion_Torso);
    EXPECT_EQ(KindsOf(item), equipment);

    // Skills take the physical resistance over time before its modifier, resist conversion and
    // carry the monster-only kinds.
    Names skill = equipment;
    skill.front() = "skill protection";
    std::swap(skill[4], skill[5]);
    skill.insert(skill.end() - 2, "defensiveConvert");
    skill.push_back("defensiveManaBurnRatio");
    skill.push_back("defensivePercentCurrentLife");
    DefenseAttributeStore_Skill skills;
    skills.Load(record);
    EXPECT_EQ(KindsOf(skills), skill);

    // Loading again starts from an empty store.
    item.Load(Record("defensiveFire = 3\n"), nullptr, nullptr, false, CombatAttributeRegion_Head);
    EXPECT_EQ(KindsOf(item), Names{"defensiveFire"});
    skills.Load(Record(""));
    EXPECT_EQ(KindsOf(skills), Names{"skill protection"});
    EXPECT_TRUE(Defenses(skills, 1).empty()) << "a protection of 0 adds nothing";
}

TEST(DefenseAttributeStore, AffixesAddAttributesOfTheirOwnThatTheAttackMerges)
{
    const LoadTable prefix = Record("defensivePhysical = 5\nlootRandomizerJitter = 0\n");
    const LoadTable suffix = Record("defensiveFire = 8\n");
    ScriptedRandom random;
    random.ints = {1};
    DefenseAttributeStore_Equipment item;
    item.SetRandomGen(&random);
    item.Load(Record("defensivePhysical = 10\n"), &prefix, &suffix, false,
              CombatAttributeRegion_Arms);
    EXPECT_EQ(item.GetRandomGen(), nullptr) << "loading ends the loan";
    EXPECT_EQ(KindsOf(item), (Names{"defensivePhysical", "defensivePhysical", "defensiveFire"}));
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-1, 1}}))
        << "only the item's own value is rolled";
    EXPECT_EQ(Defenses(item, 1),
              (Pairs{{CombatAttributeType_Physical, 16.0f}, {CombatAttributeType_Fire, 8.0f}}));

    CostInfo_DefenseAttributes info;
    item.GetCostInfo(info);
    EXPECT_EQ(info.count, 3);
}

TEST(DefenseAttributeStore, CopiesOwnAttributesOfTheirOwn)
{
    RandomUniform random;
    auto original = std::make_unique<DefenseAttributeStore_Skill>();
    original->Load(Record("defensiveCold = 7\ndefensiveProtection = 4\n"));
    original->SetRandomGen(&random);
    DefenseAttributeStore_Skill copy(*original);
    DefenseAttributeStore_Skill assigned;
    assigned.Load(Record("defensiveFire = 1\n"));
    assigned = *original;
    EXPECT_NE(copy.GetAttributes()[1].get(), original->GetAttributes()[1].get());
    original.reset();
    for (const DefenseAttributeStore* store : {&copy, &assigned}) {
        EXPECT_EQ(store->GetRandomGen(), nullptr);
        std::vector<std::wstring> first, second;
        store->CreateText(first, second, 1);
        EXPECT_EQ(second,
                  (std::vector<std::wstring>{L"DefenseAbsorptionProtection 4", L"DefenseCold 7"}));
    }
}

using DefenseAttributeStoreCharacterTest = Test::CombatGameFixture;

TEST_F(DefenseAttributeStoreCharacterTest, TwelveResistancesAtDifficultyPlusOne)
{
    DefenseAttributeStore_Character character;
    EXPECT_EQ(DefenseAttributeStore_Character::GetDifficultyLevel(), 1u) << "normal difficulty";
    character.Load(Record("defensiveFire = 10;20;30\ndefensiveStun = 0\n"));
    EXPECT_EQ(KindsOf(character),
              (Names{"defensivePhysical", "defensivePierce", "defensiveBleeding", "defensiveFire",
                     "defensiveCold", "defensiveLightning", "defensivePoison", "defensiveLife",
                     "defensiveStun", "defensiveTrap", "defensiveFreeze", "defensivePetrify"}));

    Game().SetGameDifficulty(GameDifficulty_Epic);
    const uint32_t level = DefenseAttributeStore_Character::GetDifficultyLevel();
    EXPECT_EQ(level, 2u);
    const Pairs defenses = Defenses(character, level);
    ASSERT_EQ(defenses.size(), 12u);
    for (const auto& [type, value] : defenses)
        EXPECT_EQ(value, type == CombatAttributeType_Fire ? 20.0f : 0.0f) << type;
}

} // namespace
} // namespace GAME
