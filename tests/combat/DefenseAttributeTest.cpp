#include "combat/CombatAttributeAccumulator.h"

#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/DefenseAttributeAbs.h"
#include "combat/DefenseAttributeAbsMod.h"
#include "combat/DefenseAttributeDur.h"
#include "combat/DefenseAttributeDurMod.h"
#include "combat/DefenseAttributeStore_Character.h"
#include "combat/DefenseAttributeStore_Equipment.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/DefenseAttribute_BaseProtectionAbsorption.h"
#include "combat/DefenseAttribute_SkillProtectionAbsorption.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DefenseAttributes.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/Records.h"
#include "tests/support/RiggedAccumulator.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace GAME {
namespace {

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

TEST(DefenseAttribute, TextShowsTheChanceAndOnlyWhatTheNextLevelChanges)
{
    const auto fire = Loaded<DefenseAttributeAbs_Fire>(
        "defensiveFire = 10;10;0\ndefensiveFireChance = 0;25;25\n");
    Lines first, second;
    fire->CreateText(1, first, second);
    fire->CreateText(3, first, second);
    fire->CreateNextText(1, 2, first, second);
    fire->CreateNextText(2, 2, first, second);
    fire->CreateNextText(2, 3, first, second);
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(second, (Lines{L"DefenseFire 10", L"ChanceOfTag 25DefenseFire 10",
                             L"ChanceOfTag 25DefenseFire 0"}));
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
