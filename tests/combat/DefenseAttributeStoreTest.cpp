#include "combat/CombatAttributeAccumulator.h"
#include "combat/DefenseAttributeAbs.h"
#include "combat/DefenseAttributeStore_Character.h"
#include "combat/DefenseAttributeStore_Equipment.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/DefenseAttribute_BaseProtectionAbsorption.h"
#include "combat/DefenseAttribute_SkillProtectionAbsorption.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DefenseAttributes.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace GAME {
namespace {

using Test::DefensesOf;
using Test::Names;
using Test::Pairs;
using Test::Record;
using Test::ScriptedRandom;

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

class DefenseAttributeStoreCharacterTest : public Test::GameEngineFixture {};

TEST_F(DefenseAttributeStoreCharacterTest, TwelveResistancesAtDifficultyPlusOne)
{
    Start();
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
