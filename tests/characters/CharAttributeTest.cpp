#include "characters/AttributePak.h"
#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeCostSums.h"
#include "characters/CharAttributeMod.h"
#include "characters/CharAttributeStore_Bio.h"
#include "characters/CharAttributeStore_Equipment.h"
#include "characters/CharAttributeStore_Skill.h"
#include "characters/CharAttributeStore_SkillPenalty.h"
#include "characters/CharAttributeVal.h"
#include "combat/CombatAttributeAccumulator.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "skills/SkillAttributeAccumulator.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"
#include "tests/support/SeededRandom.h"

#include <initializer_list>
#include <limits>
#include <sstream>
#include <typeinfo>
#include <utility>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

TEST(CharAttribute, BaseValuesArePerLevelAndLevelZeroIsNothing)
{
    CharAttributeVal_Strength strength;
    strength.LoadBaseTable(Record("characterStrength = 1;2;3\n"));
    EXPECT_EQ(strength.GetValue(1), 1.0f);
    EXPECT_EQ(strength.GetValue(10), 3.0f);

    strength.LoadPrefixTable(Record("characterStrength = 10\n"), nullptr);
    strength.LoadSuffixTable(Record("characterStrength = 100\n"), nullptr);
    EXPECT_EQ(strength.GetValue(0), 0.0f);
    EXPECT_EQ(strength.GetValue(2), 112.0f);

    // A lone zero loads as empty; two do not.
    CharAttributeVal_Strength zero;
    zero.LoadBaseTable(Record("characterStrength = 0\n"));
    EXPECT_FALSE(zero.IsNotEmpty());
    zero.LoadPrefixTable(Record("characterStrength = 4\n"), nullptr);
    EXPECT_TRUE(zero.IsNotEmpty());
    EXPECT_EQ(zero.GetValue(1), 4.0f);
    CharAttributeVal_Strength twoZeros;
    twoZeros.LoadBaseTable(Record("characterStrength = 0;0\n"));
    EXPECT_TRUE(twoZeros.IsNotEmpty());
}

TEST(CharAttribute, ScaleMovesOnlyByWholeUnits)
{
    CharAttributeVal_Strength strength;
    strength.LoadBaseTable(Record("characterStrength = 5;-5\n"));
    strength.LoadPrefixTable(Record("characterStrength = 10\n"), nullptr);
    strength.ScaleAttribute(100.0f);
    // 100 x 0.01f x 5 is 4.99999988 and truncates to 4; the prefix 10 becomes 19.
    EXPECT_EQ(strength.GetValue(1), 9.0f + 19.0f);
    EXPECT_EQ(strength.GetValue(2), -9.0f + 19.0f);

    CharAttributeVal_Strength unscaled;
    unscaled.SetBaseValue(5.0f);
    unscaled.ScaleAttribute(0.0f);
    unscaled.ScaleAttribute(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(unscaled.GetValue(1), 5.0f);
    // A percent no integer can hold saturates instead of being undefined.
    unscaled.ScaleAttribute(-1e30f);
    EXPECT_EQ(unscaled.GetValue(1), -2147483648.0f);
}

TEST(CharAttribute, SpeedsAndLevelReductionsAreNeverScaledOrRolled)
{
    RandomUniform random = Seeded(7);
    CharAttributeVal_RunSpeed run;
    CharAttributeVal_LevelReqReduction level;
    for (CharAttribute* attribute : std::initializer_list<CharAttribute*>{&run, &level}) {
        attribute->SetBaseValue(40.0f);
        attribute->ScaleAttribute(100.0f);
        attribute->AddJitter(50.0f, &random);
        EXPECT_EQ(attribute->GetValue(1), 40.0f);
    }
    EXPECT_EQ(random.GetState(), Seeded(7).GetState());
}

TEST(CharAttribute, JitterIgnoresBadArgumentsClampsToFiftyAndKeepsValuesAboveZero)
{
    RandomUniform random = Seeded(7);
    CharAttributeVal_Strength strength;
    strength.SetBaseValue(100.0f);
    strength.AddJitter(0.0f, &random);
    strength.AddJitter(std::numeric_limits<float>::quiet_NaN(), &random);
    strength.AddJitter(20.0f, nullptr);
    EXPECT_EQ(strength.GetValue(1), 100.0f);
    EXPECT_EQ(random.GetState(), Seeded(7).GetState());

    // 50 x 0.01f x 100 truncates to 49; seed 7 rolls 41 in -49..49 (it would roll 66 in -79..79).
    strength.AddJitter(80.0f, &random);
    EXPECT_EQ(strength.GetValue(1), 141.0f);

    // Seed 6 rolls +1 in -1..1; a percent of a value this small rounds to 0 and rolls one unit.
    for (const auto& [base, expected] : {std::pair{1.0f, 2.0f}, std::pair{-1.0f, -1.0f}}) {
        RandomUniform up = Seeded(6);
        CharAttributeVal_Strength small;
        small.SetBaseValue(base);
        small.AddJitter(20.0f, &up);
        EXPECT_EQ(small.GetValue(1), expected) << base;
    }
}

TEST(CharAttribute, AffixValuesAreRolledWithTheRecordsJitter)
{
    // 50 x 0.01f x 10 truncates to 4; seed 6 rolls 2 in -4..4.
    RandomUniform random = Seeded(6);
    CharAttributeVal_Strength strength;
    strength.SetBaseValue(1.0f);
    strength.LoadSuffixTable(Record("characterStrength = 10\nlootRandomizerJitter = 50\n"),
                             &random);
    EXPECT_EQ(strength.GetValue(1), 1.0f + 12.0f);
    // A prefix that does not name the attribute has nothing to roll.
    strength.LoadPrefixTable(Record("lootRandomizerJitter = 50\n"), &random);
    EXPECT_EQ(strength.GetValue(1), 13.0f);
}

TEST(CharAttribute, SpeedModifiersLandOnTheSpeedsTheyHasten)
{
    CharAttributeMod_TotalSpeed total;
    total.SetBaseValue(10.0f);
    CharAttributeAccumulator accumulator;
    total.AddToAccumulator(accumulator, 1);
    for (CharAttributeType speed : {CharAttribute_RunSpeed, CharAttribute_AttackSpeed,
                                    CharAttribute_SpellCastSpeed, CharAttribute_BaseAttackSpeed}) {
        EXPECT_EQ(accumulator.GetModifier(speed), 10.0f);
        EXPECT_EQ(accumulator.GetValue(speed), 0.0f);
    }

    CharAttributeMod_AttackSpeed attack;
    attack.SetBaseValue(5.0f);
    attack.AddToAccumulator(accumulator, 1);
    EXPECT_EQ(accumulator.GetModifier(CharAttribute_AttackSpeed), 15.0f);
    EXPECT_EQ(accumulator.GetModifier(CharAttribute_BaseAttackSpeed), 15.0f);
}

// Names of the types 0 to 46, in the order of the enumeration.
// clang-format off
const char* const kTypeNames[kCharAttributeTypeCount] = {
    "", "Strength", "Dexterity", "Intelligence", "Life", "Mana", "LifeRegen", "ManaRegen",
    "ManaLimitReserve", "ManaLimitReserveReduction", "TotalSpeed", "RunSpeed", "AttackSpeed",
    "SpellCastSpeed", "BaseAttackSpeed", "OffensiveAbility", "OffensiveAbilityModifier",
    "DefensiveAbility", "DefensiveAbilityModifier", "DefensiveBlockRecoveryReduction",
    "EnergyAbsorptionPercent", "DodgePercent", "DeflectProjectile", "WeaponStrengthReqReduction",
    "WeaponDexterityReqReduction", "WeaponIntelligenceReqReduction", "MeleeStrengthReqReduction",
    "MeleeDexterityReqReduction", "MeleeIntelligenceReqReduction", "HuntingStrengthReqReduction",
    "HuntingDexterityReqReduction", "HuntingIntelligenceReqReduction", "StaffStrengthReqReduction",
    "StaffDexterityReqReduction", "StaffIntelligenceReqReduction", "ShieldStrengthReqReduction",
    "ShieldDexterityReqReduction", "ShieldIntelligenceReqReduction", "ArmorStrengthReqReduction",
    "ArmorDexterityReqReduction", "ArmorIntelligenceReqReduction", "JewelryStrengthReqReduction",
    "JewelryDexterityReqReduction", "JewelryIntelligenceReqReduction", "GlobalReqReduction",
    "LevelReqReduction", "IncreasedExperience"};
// clang-format on

// A record that gives every value and modifier key 7.
LoadTable EveryKey()
{
    std::string text;
    for (uint32_t type = 1; type < kCharAttributeTypeCount; ++type) {
        text += std::string("character") + kTypeNames[type] + " = 7\n";
        text += std::string("character") + kTypeNames[type] + "Modifier = 7\n";
    }
    return Record(text);
}

bool IsModifier(const CharAttribute& attribute)
{
    return dynamic_cast<const CharAttributeMod*>(&attribute) != nullptr;
}

// The store's attributes as class names without the leading "CharAttribute".
std::vector<std::string> Names(const CharAttributeStore& store)
{
    std::vector<std::string> names;
    for (const auto& attribute : store.GetAttributes())
        names.push_back((IsModifier(*attribute) ? "Mod_" : "Val_") +
                        std::string(kTypeNames[attribute->GetType()]));
    return names;
}

std::vector<std::string> Split(const std::string& words)
{
    std::vector<std::string> names;
    std::istringstream stream(words);
    for (std::string name; stream >> name;)
        names.push_back(name);
    return names;
}

// The names, then the item-requirement reductions in item and skill order, then the tail.
std::vector<std::string> WithReqReductions(const std::string& head, const std::string& tail)
{
    std::vector<std::string> names = Split(head);
    for (const char* group : {"Weapon", "Melee", "Armor", "Jewelry", "Shield", "Hunting", "Staff"})
        for (const char* stat : {"Strength", "Dexterity", "Intelligence"})
            names.push_back(std::string("Val_") + group + stat + "ReqReduction");
    for (const std::string& name : Split(tail))
        names.push_back(name);
    return names;
}

TEST(CharAttributeAccumulator, ModifierIsAPercentOfTheValuesMagnitude)
{
    CharAttributeAccumulator accumulator;
    accumulator.AddValue(CharAttribute_Life, 60.0f);
    accumulator.AddValue(CharAttribute_Life, 40.0f);
    accumulator.AddModifier(CharAttribute_Life, 50.0f);
    accumulator.AddValue(CharAttribute_Mana, -100.0f);
    accumulator.AddModifier(CharAttribute_Mana, 50.0f);
    accumulator.AddModifier(CharAttribute_Strength, 75.0f);
    EXPECT_EQ(accumulator.GetValue(CharAttribute_Life), 150.0f);
    EXPECT_EQ(accumulator.GetValue(CharAttribute_Mana), -50.0f);
    EXPECT_EQ(accumulator.GetValue(CharAttribute_Strength), 0.0f);
    EXPECT_EQ(accumulator.GetModifier(CharAttribute_Strength), 75.0f);

    // Types past the table are ignored rather than written out of bounds.
    for (uint32_t type : {47u, 0xFFFFFFFFu}) {
        accumulator.AddValue(static_cast<CharAttributeType>(type), 5.0f);
        accumulator.AddModifier(static_cast<CharAttributeType>(type), 5.0f);
        EXPECT_EQ(accumulator.GetValue(static_cast<CharAttributeType>(type)), 0.0f);
        EXPECT_EQ(accumulator.GetModifier(static_cast<CharAttributeType>(type)), 0.0f);
    }
}

TEST(CharAttributeStore, EachKindLoadsItsAttributesInItsOrder)
{
    const LoadTable record = EveryKey();
    CharAttributeStore_Bio bio;
    bio.Load(record);
    EXPECT_EQ(Names(bio),
              Split("Val_Strength Val_Intelligence Val_Dexterity Val_Life Val_LifeRegen "
                    "Val_Mana Val_ManaRegen Val_AttackSpeed Val_SpellCastSpeed "
                    "Val_RunSpeed Val_OffensiveAbility Val_DefensiveAbility"));

    const std::vector<std::string> equipment = WithReqReductions(
        "Val_BaseAttackSpeed Val_Strength Mod_Strength Val_Intelligence Mod_Intelligence "
        "Val_Dexterity Mod_Dexterity Val_Life Mod_Life Val_LifeRegen Mod_LifeRegen Val_Mana "
        "Mod_Mana Val_ManaRegen Mod_ManaRegen Val_ManaLimitReserve Mod_ManaLimitReserve "
        "Val_ManaLimitReserveReduction Mod_ManaLimitReserveReduction Val_OffensiveAbility "
        "Val_OffensiveAbilityModifier Val_DefensiveAbility Val_DefensiveAbilityModifier "
        "Mod_TotalSpeed Val_AttackSpeed Mod_AttackSpeed Val_SpellCastSpeed Mod_SpellCastSpeed "
        "Val_RunSpeed Mod_RunSpeed Val_DefensiveBlockRecoveryReduction "
        "Val_EnergyAbsorptionPercent Val_DodgePercent Val_DeflectProjectile "
        "Val_GlobalReqReduction",
        "Val_LevelReqReduction Val_IncreasedExperience");
    CharAttributeStore_Equipment item;
    item.Load(record, nullptr, nullptr, false);
    EXPECT_EQ(Names(item), equipment);

    // The mana a skill reserves is its penalty, never one of its bonuses.
    CharAttributeStore_SkillPenalty penalty;
    penalty.Load(record);
    EXPECT_EQ(Names(penalty), Split("Val_ManaLimitReserve Mod_ManaLimitReserve"));

    // Loading again starts from an empty store.
    item.Load(record, nullptr, nullptr, false);
    EXPECT_EQ(Names(item), equipment);
}

// The equipment store holds one of every kind: each adds into its own type, clones whole and
// prices into its own pair.
TEST(CharAttributeKinds, EachCountsIntoItsTypeAndPricesIntoItsPair)
{
    CharAttributeStore_Equipment item;
    item.Load(EveryKey(), nullptr, nullptr, false);
    ASSERT_EQ(item.GetAttributes().size(), 58u);
    for (const auto& attribute : item.GetAttributes()) {
        const CharAttributeType type = attribute->GetType();
        const bool modifier = IsModifier(*attribute);
        const std::string name = std::string(kTypeNames[type]) + (modifier ? "Modifier" : "");
        SCOPED_TRACE(name);
        CharAttributeAccumulator accumulator;
        attribute->AddToAccumulator(accumulator, 1);
        const float own = type == CharAttribute_TotalSpeed ? 0.0f : 7.0f;
        EXPECT_EQ(modifier ? accumulator.GetModifier(type) : accumulator.GetValue(type), own);
        EXPECT_EQ(modifier ? accumulator.GetValue(type) : accumulator.GetModifier(type), 0.0f);

        const std::unique_ptr<CharAttribute> copy = attribute->Clone();
        const CharAttribute& original = *attribute;
        const CharAttribute& cloned = *copy;
        EXPECT_EQ(typeid(cloned), typeid(original));
        EXPECT_EQ(cloned.GetValue(1), 7.0f);
    }

    // Kinds per pair at 7 each: reserved mana prices nothing, total speed counts into both
    // speed-modifier pairs and twice among the attack speeds.
    CharAttributeCostSums c;
    item.GetCostInfo(c);
    EXPECT_EQ((std::vector<float>{c.primaryAtt, c.secondaryAtt, c.bonus, c.primaryMod,
                                  c.secondaryMod, c.bonusMod, c.attackSpeed, c.otherSpeed,
                                  c.attackSpeedMod, c.otherSpeedMod}),
              (std::vector<float>{35, 28, 217, 35, 14, 14, 21, 7, 21, 14}));
    EXPECT_EQ((std::vector<int32_t>{c.primaryAttCount, c.secondaryAttCount, c.bonusCount,
                                    c.primaryModCount, c.secondaryModCount, c.bonusModCount,
                                    c.attackSpeedCount, c.otherSpeedCount, c.attackSpeedModCount,
                                    c.otherSpeedModCount}),
              (std::vector<int32_t>{5, 4, 31, 5, 2, 2, 3, 1, 4, 2}));
}

TEST(CharAttributeStore_Bio, KeepsThePlayerStatsWhenTheRecordLeavesThemOut)
{
    LogCapture log;
    CharAttributeStore_Bio bio;
    bio.Load(Record("characterLife = 300;400;500\ncharacterLifeRegen = 0\n"));
    EXPECT_EQ(Names(bio), Split("Val_Strength Val_Intelligence Val_Dexterity Val_Life Val_Mana"));

    bio.SetBaseValue(CharAttribute_Strength, 12.0f);
    bio.SetBaseValue(CharAttribute_Life, 350.0f);
    CharAttributeAccumulator totals;
    bio.AddToAccumulator(totals, 3);
    EXPECT_EQ(totals.GetValue(CharAttribute_Strength), 12.0f);
    EXPECT_EQ(totals.GetValue(CharAttribute_Life), 350.0f);
    EXPECT_TRUE(log.GetLines().empty());

    bio.SetBaseValue(CharAttribute_LifeRegen, 3.0f);
    bio.SetBaseValue(static_cast<CharAttributeType>(99), 3.0f);
    EXPECT_EQ(bio.GetBaseValue(CharAttribute_LifeRegen), 0.0f);
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {1, "CharAttributeStore_Bio: Could not find type (6) to set base values"},
                  {1, "CharAttributeStore_Bio: Could not find type (99) to set base values"}}));
}

TEST(CharAttributeStore_Equipment, RollsOnceAtLoadByTheListedPercents)
{
    const LoadTable record =
        Record("characterStrength = 100\ncharacterStrengthModifier = 100\ncharacterLife = 100\n");
    // 20 x 0.01f x 100 truncates to 19; seed 1 rolls -13 and then 10 in -19..19. Flat life is
    // not rolled.
    RandomUniform random;
    random.Seed(1);
    CharAttributeStore_Equipment item;
    item.SetRandomGen(&random);
    item.Load(record, nullptr, nullptr, true);
    EXPECT_EQ(item.GetRandomGen(), nullptr) << "loading ends the loan";
    std::vector<float> values;
    for (const auto& attribute : item.GetAttributes())
        values.push_back(attribute->GetValue(1));
    EXPECT_EQ(values, (std::vector<float>{87.0f, 110.0f, 100.0f}));

    CharAttributeStore_Equipment unrolled;
    unrolled.Load(record, nullptr, nullptr, true);
    ASSERT_FALSE(unrolled.GetAttributes().empty());
    EXPECT_EQ(unrolled.GetAttributes()[0]->GetValue(1), 100.0f);
}

TEST(CharAttributeStore, ScaleAndCostGoOverEveryAttribute)
{
    CharAttributeStore_Skill skill;
    skill.Load(Record("characterStrength = 5\ncharacterStrengthModifier = 10\n"
                      "characterRunSpeed = 20\n"));
    skill.ScaleAttributes(100.0f);
    CharAttributeAccumulator totals;
    skill.AddToAccumulator(totals, 1);
    // 5 scales to 9 and the modifier 10 to 19.
    EXPECT_FLOAT_EQ(totals.GetValue(CharAttribute_Strength), 10.71f);
    EXPECT_EQ(totals.GetValue(CharAttribute_RunSpeed), 20.0f);
    CharAttributeCostSums cost;
    skill.GetCostInfo(cost);
    EXPECT_EQ(cost.primaryAtt, 9.0f) << "the price follows the scaled value";
}

constexpr const char* kPakRecord = "Records/Game/PlayerAttributePak.dbr";

class AttributePakTest : public Test::EngineFixture {
protected:
    // The character attributes that the pack adds at the level, as (type, value) pairs.
    static std::vector<std::pair<uint32_t, float>> CharTotals(const AttributePak& pak,
                                                              uint32_t level)
    {
        CharAttributeAccumulator accumulator;
        pak.GetCharAttributes(accumulator, level);
        std::vector<std::pair<uint32_t, float>> totals;
        for (uint32_t type = 1; type < kCharAttributeTypeCount; ++type) {
            const auto kind = static_cast<CharAttributeType>(type);
            if (accumulator.GetValue(kind) != 0.0f || accumulator.GetModifier(kind) != 0.0f)
                totals.emplace_back(type, accumulator.GetValue(kind));
        }
        return totals;
    }

    // Every store of the pack asked once, as a player and a monster ask their packs.
    static void AddEverything(const AttributePak& pak, uint32_t level,
                              SkillAttributeAccumulator& skills)
    {
        CombatAttributeAccumulator combat;
        pak.GetSkillAttributes(skills, level);
        pak.GetOffensiveDamageAttributes(combat, level);
        pak.GetOffensiveModifierAttributes(combat, level);
        pak.GetRetaliationAttributes(combat, level);
        pak.GetDefenseAttributes(combat, level);
    }
};

using Totals = std::vector<std::pair<uint32_t, float>>;

TEST_F(AttributePakTest, StrengthAloneIsAddedAtTheLevelAskedAndNothingElse)
{
    database.WriteRecord(kPakRecord, {"characterStrength = 10;20;30"});
    AttributePak pak;
    pak.LoadFromDatabase(kPakRecord);

    EXPECT_EQ(CharTotals(pak, 2), (Totals{{CharAttribute_Strength, 20.0f}}));
    EXPECT_EQ(CharTotals(pak, 7), (Totals{{CharAttribute_Strength, 30.0f}}));
    EXPECT_EQ(CharTotals(pak, 0), Totals{});

    SkillAttributeAccumulator skills;
    skills.SetSeed(9);
    const uint32_t state = skills.GetRandomGen().GetState();
    AddEverything(pak, 2, skills);
    for (uint32_t type = 1; type < kSkillAttributeTypeCount; ++type)
        EXPECT_EQ(skills.GetValue(static_cast<SkillAttributeType>(type)), 0.0f);
    EXPECT_EQ(skills.GetRandomGen().GetState(), state) << "no skill attribute may roll";
}

TEST_F(AttributePakTest, EveryStoreLoadsAndAdds)
{
    AttributePak pak;
    pak.LoadFromTable(Record("characterStrength = 5\nskillCooldownReduction = 2\n"
                             "offensiveColdMin = 7\ndefensiveFire = 20\n"
                             "retaliationPhysicalMin = 3\n"));

    CombatAttributeAccumulator offense, retaliation, defense;
    pak.GetOffensiveDamageAttributes(offense, 1);
    pak.GetRetaliationAttributes(retaliation, 1);
    pak.GetDefenseAttributes(defense, 1);
    ASSERT_EQ(offense.GetDamage().size(), 1u);
    EXPECT_EQ(offense.GetDamage()[0]->GetType(), CombatAttributeType_Cold);
    ASSERT_EQ(retaliation.GetDamage().size(), 1u);
    EXPECT_EQ(retaliation.GetDamage()[0]->GetType(), CombatAttributeType_Physical);
    EXPECT_EQ(defense.GetTotalDefenseType(CombatAttributeType_Fire), 20.0f);
    SkillAttributeAccumulator skills;
    pak.GetSkillAttributes(skills, 1);
    EXPECT_EQ(skills.GetValue(SkillAttribute_CooldownReduction), 2.0f);
    EXPECT_EQ(CharTotals(pak, 1), (Totals{{CharAttribute_Strength, 5.0f}}));

    std::vector<GameTextLine> lines;
    pak.GetUIDisplayText(1, GameTextClass::Default, lines);
    EXPECT_EQ(lines.size(), 5u) << "one line a store";
}

TEST_F(AttributePakTest, LoadingAgainReplacesTheContentsAndAnEmptyOrMissingRecordGivesNothing)
{
    AttributePak pak;
    pak.LoadFromTable(Record("characterStrength = 10\n"));
    pak.LoadFromTable(Record("characterDexterity = 4\n"));
    EXPECT_EQ(CharTotals(pak, 1), (Totals{{CharAttribute_Dexterity, 4.0f}}));

    database.WriteRecord(kPakRecord, {"# balance comes later", "unrelatedKey = 5"});
    for (const std::string name : {kPakRecord, "", "Records/Game/Missing.dbr"}) {
        SCOPED_TRACE(name);
        pak.LoadFromDatabase(name);
        EXPECT_EQ(CharTotals(pak, 1), Totals{});

        SkillAttributeAccumulator skills;
        AddEverything(pak, 1, skills);
        EXPECT_EQ(skills.GetValue(SkillAttribute_CooldownReduction), 0.0f);
        EXPECT_EQ(skills.GetRandomGen().GetState(), 0u);

        std::vector<GameTextLine> lines;
        pak.GetUIDisplayText(1, GameTextClass::Default, lines);
        EXPECT_TRUE(lines.empty());
    }
    // Only the record that names something absent is a fault; an empty name asks for no pack.
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {1, "AttributePak: could not load record 'Records/Game/Missing.dbr'"}}));
}

} // namespace
} // namespace GAME::Test
