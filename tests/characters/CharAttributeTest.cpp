#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeCostSums.h"
#include "characters/CharAttributeMod.h"
#include "characters/CharAttributeVal.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <typeinfo>
#include <vector>

namespace GAME {
namespace {

using Test::Record;

RandomUniform Seeded(uint32_t seed)
{
    RandomUniform random;
    random.Seed(seed);
    return random;
}

std::vector<std::wstring> Lines(const CharAttribute& attribute, uint32_t level)
{
    std::vector<std::wstring> header;
    std::vector<std::wstring> lines;
    attribute.CreateText(level, header, lines);
    EXPECT_TRUE(header.empty());
    return lines;
}

TEST(CharAttribute, BaseValuesArePerLevelAndLevelZeroIsNothing)
{
    CharAttributeVal_Strength strength;
    strength.LoadBaseTable(Record("characterStrength = 1;2;3\n"));
    EXPECT_EQ(strength.GetValue(0), 0.0f);
    EXPECT_EQ(strength.GetValue(1), 1.0f);
    EXPECT_EQ(strength.GetValue(3), 3.0f);
    EXPECT_EQ(strength.GetValue(10), 3.0f);

    strength.LoadPrefixTable(Record("characterStrength = 10\n"), nullptr);
    strength.LoadSuffixTable(Record("characterStrength = 100\n"), nullptr);
    EXPECT_EQ(strength.GetValue(0), 0.0f);
    EXPECT_EQ(strength.GetValue(2), 112.0f);

    strength.SetBaseValue(7.0f);
    EXPECT_EQ(strength.GetValue(1), 7.0f);
    EXPECT_EQ(strength.GetValue(3), 7.0f);
}

TEST(CharAttribute, ALoneZeroLoadsAsEmpty)
{
    CharAttributeVal_Strength strength;
    strength.LoadBaseTable(Record("characterStrength = 0\n"));
    EXPECT_FALSE(strength.IsNotEmpty());
    EXPECT_EQ(strength.GetValue(1), 0.0f);
    strength.LoadPrefixTable(Record("characterStrength = 4\n"), nullptr);
    EXPECT_TRUE(strength.IsNotEmpty());
    EXPECT_EQ(strength.GetValue(1), 4.0f);

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

TEST(CharAttribute, JitterKeepsAValueThatARollWouldBringBelowOne)
{
    // Seed 6 rolls +1 in -1..1; a percent of a value this small rounds to 0 and rolls one unit.
    RandomUniform up = Seeded(6);
    CharAttributeVal_Strength one;
    one.SetBaseValue(1.0f);
    one.AddJitter(20.0f, &up);
    EXPECT_EQ(one.GetValue(1), 2.0f);

    RandomUniform again = Seeded(6);
    CharAttributeVal_Strength minusOne;
    minusOne.SetBaseValue(-1.0f);
    minusOne.AddJitter(20.0f, &again);
    EXPECT_EQ(minusOne.GetValue(1), -1.0f);
}

TEST(CharAttribute, AddJitterClampsThePercentToFifty)
{
    // 50 x 0.01f x 100 truncates to 49; seed 7 rolls 41 in -49..49 (it would roll 66 in -79..79).
    RandomUniform random = Seeded(7);
    CharAttributeVal_Strength strength;
    strength.SetBaseValue(100.0f);
    strength.AddJitter(80.0f, &random);
    EXPECT_EQ(strength.GetValue(1), 141.0f);
}

TEST(CharAttribute, AddJitterNeedsAPositivePercentAndAGenerator)
{
    RandomUniform random = Seeded(7);
    CharAttributeVal_Strength strength;
    strength.SetBaseValue(100.0f);
    strength.AddJitter(0.0f, &random);
    strength.AddJitter(-20.0f, &random);
    strength.AddJitter(std::numeric_limits<float>::quiet_NaN(), &random);
    strength.AddJitter(20.0f, nullptr);
    EXPECT_EQ(strength.GetValue(1), 100.0f);
    EXPECT_EQ(random.GetState(), Seeded(7).GetState());
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

TEST(CharAttribute, TextShowsTheLevelsValueAndTheNextWhenItChanges)
{
    CharAttributeVal_Strength strength;
    strength.LoadBaseTable(Record("characterStrength = 0;4;4\n"));
    EXPECT_TRUE(Lines(strength, 1).empty());
    EXPECT_EQ(Lines(strength, 2), std::vector<std::wstring>{L"CharacterStrength 4"});

    std::vector<std::wstring> header;
    std::vector<std::wstring> lines;
    strength.CreateNextText(1, 2, header, lines);
    strength.CreateNextText(2, 3, header, lines);
    EXPECT_TRUE(header.empty());
    EXPECT_EQ(lines, std::vector<std::wstring>{L"CharacterStrength 4"});
}

TEST(CharAttribute, BaseAttackSpeedShowsOnlyItsSpeedClassInTheHeader)
{
    CharAttributeVal_BaseAttackSpeed speed;
    CharAttributeVal_BaseAttackSpeed untagged;
    speed.LoadBaseTable(Record("characterBaseAttackSpeed = -2\n"
                               "characterBaseAttackSpeedTag = CharacterAttackSpeedFast\n"));
    speed.LoadPrefixTable(Record("characterBaseAttackSpeed = 5\n"), nullptr);
    untagged.LoadBaseTable(Record(""));
    std::vector<std::wstring> header;
    std::vector<std::wstring> lines;
    speed.CreateText(1, header, lines);
    speed.CreateNextText(0, 1, header, lines);
    untagged.CreateText(1, header, lines);
    EXPECT_EQ(header, (std::vector<std::wstring>{L"CharacterAttackSpeedFast",
                                                 L"CharacterAttackSpeedNotSet"}));
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(speed.GetValue(1), -2.0f);
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
    EXPECT_EQ(accumulator.GetModifier(CharAttribute_TotalSpeed), 0.0f);

    CharAttributeMod_AttackSpeed attack;
    attack.SetBaseValue(5.0f);
    attack.AddToAccumulator(accumulator, 1);
    EXPECT_EQ(accumulator.GetModifier(CharAttribute_AttackSpeed), 15.0f);
    EXPECT_EQ(accumulator.GetModifier(CharAttribute_BaseAttackSpeed), 15.0f);
    EXPECT_EQ(accumulator.GetModifier(CharAttribute_SpellCastSpeed), 10.0f);
}

// Which pair of the price summary a kind counts into; the modifier pairs belong to modifiers.
enum class Cost {
    None,
    PrimaryAtt,
    SecondaryAtt,
    Bonus,
    PrimaryMod,
    SecondaryMod,
    BonusMod,
    AttackSpeed,
    OtherSpeed,
    AttackSpeedMod,
    OtherSpeedMod,
    TotalSpeed
};
using enum Cost;

bool IsModifier(Cost cost)
{
    return cost == PrimaryMod || cost == SecondaryMod || cost == BonusMod ||
           cost == AttackSpeedMod || cost == OtherSpeedMod || cost == TotalSpeed;
}

template <typename T> std::unique_ptr<CharAttribute> Make()
{
    return std::make_unique<T>();
}

struct Kind {
    std::unique_ptr<CharAttribute> (*make)();
    CharAttributeType type;
    std::string key;
    std::string tag; // empty: the speed class is shown instead
    Cost cost;
};

const Kind kKinds[] = {
    {&Make<CharAttributeVal_Strength>, CharAttribute_Strength, "characterStrength",
     "CharacterStrength", PrimaryAtt},
    {&Make<CharAttributeVal_Dexterity>, CharAttribute_Dexterity, "characterDexterity",
     "CharacterDexterity", PrimaryAtt},
    {&Make<CharAttributeVal_Intelligence>, CharAttribute_Intelligence, "characterIntelligence",
     "CharacterIntelligence", PrimaryAtt},
    {&Make<CharAttributeVal_Life>, CharAttribute_Life, "characterLife", "CharacterLife",
     SecondaryAtt},
    {&Make<CharAttributeVal_Mana>, CharAttribute_Mana, "characterMana", "CharacterMana",
     SecondaryAtt},
    {&Make<CharAttributeVal_LifeRegen>, CharAttribute_LifeRegen, "characterLifeRegen",
     "CharacterLifeRegen", PrimaryAtt},
    {&Make<CharAttributeVal_ManaRegen>, CharAttribute_ManaRegen, "characterManaRegen",
     "CharacterManaRegen", PrimaryAtt},
    {&Make<CharAttributeVal_ManaLimitReserve>, CharAttribute_ManaLimitReserve,
     "characterManaLimitReserve", "CharacterManaLimitReserve", None},
    {&Make<CharAttributeVal_ManaLimitReserveReduction>, CharAttribute_ManaLimitReserveReduction,
     "characterManaLimitReserveReduction", "CharacterManaLimitReserveReduction", Bonus},
    {&Make<CharAttributeVal_RunSpeed>, CharAttribute_RunSpeed, "characterRunSpeed",
     "CharacterRunSpeed", OtherSpeed},
    {&Make<CharAttributeVal_AttackSpeed>, CharAttribute_AttackSpeed, "characterAttackSpeed",
     "CharacterAttackSpeed", AttackSpeed},
    {&Make<CharAttributeVal_SpellCastSpeed>, CharAttribute_SpellCastSpeed,
     "characterSpellCastSpeed", "CharacterSpellCastSpeed", AttackSpeed},
    {&Make<CharAttributeVal_BaseAttackSpeed>, CharAttribute_BaseAttackSpeed,
     "characterBaseAttackSpeed", "", AttackSpeed},
    {&Make<CharAttributeVal_OffensiveAbility>, CharAttribute_OffensiveAbility,
     "characterOffensiveAbility", "CharacterOffensiveAbility", SecondaryAtt},
    {&Make<CharAttributeVal_OffensiveAbilityModifier>, CharAttribute_OffensiveAbilityModifier,
     "characterOffensiveAbilityModifier", "CharacterOffensiveAbilityModifier", Bonus},
    {&Make<CharAttributeVal_DefensiveAbility>, CharAttribute_DefensiveAbility,
     "characterDefensiveAbility", "CharacterDefensiveAbility", SecondaryAtt},
    {&Make<CharAttributeVal_DefensiveAbilityModifier>, CharAttribute_DefensiveAbilityModifier,
     "characterDefensiveAbilityModifier", "CharacterDefensiveAbilityModifier", Bonus},
    {&Make<CharAttributeVal_DefensiveBlockRecoveryReduction>,
     CharAttribute_DefensiveBlockRecoveryReduction, "characterDefensiveBlockRecoveryReduction",
     "CharacterDefensiveBlockRecoveryReduction", Bonus},
    {&Make<CharAttributeVal_EnergyAbsorptionPercent>, CharAttribute_EnergyAbsorptionPercent,
     "characterEnergyAbsorptionPercent", "CharacterEnergyAbsorptionPercent", Bonus},
    {&Make<CharAttributeVal_DodgePercent>, CharAttribute_DodgePercent, "characterDodgePercent",
     "CharacterDodgePercent", Bonus},
    {&Make<CharAttributeVal_DeflectProjectile>, CharAttribute_DeflectProjectile,
     "characterDeflectProjectile", "CharacterDeflectProjectiles", Bonus},
    {&Make<CharAttributeVal_GlobalReqReduction>, CharAttribute_GlobalReqReduction,
     "characterGlobalReqReduction", "CharcterItemGlobalReduction", Bonus},
    {&Make<CharAttributeVal_LevelReqReduction>, CharAttribute_LevelReqReduction,
     "characterLevelReqReduction", "CharacterLevelReqReduction", Bonus},
    {&Make<CharAttributeVal_IncreasedExperience>, CharAttribute_IncreasedExperience,
     "characterIncreasedExperience", "CharacterIncreasedExperience", Bonus},
    {&Make<CharAttributeMod_Strength>, CharAttribute_Strength, "characterStrengthModifier",
     "CharacterStrengthModifier", PrimaryMod},
    {&Make<CharAttributeMod_Dexterity>, CharAttribute_Dexterity, "characterDexterityModifier",
     "CharacterDexterityModifier", PrimaryMod},
    {&Make<CharAttributeMod_Intelligence>, CharAttribute_Intelligence,
     "characterIntelligenceModifier", "CharacterIntelligenceModifier", PrimaryMod},
    {&Make<CharAttributeMod_Life>, CharAttribute_Life, "characterLifeModifier",
     "CharacterLifeModifier", SecondaryMod},
    {&Make<CharAttributeMod_Mana>, CharAttribute_Mana, "characterManaModifier",
     "CharacterManaModifier", SecondaryMod},
    {&Make<CharAttributeMod_LifeRegen>, CharAttribute_LifeRegen, "characterLifeRegenModifier",
     "CharacterLifeRegenModifier", PrimaryMod},
    {&Make<CharAttributeMod_ManaRegen>, CharAttribute_ManaRegen, "characterManaRegenModifier",
     "CharacterManaRegenModifier", PrimaryMod},
    {&Make<CharAttributeMod_ManaLimitReserve>, CharAttribute_ManaLimitReserve,
     "characterManaLimitReserveModifier", "CharacterManaLimitReserveModifier", BonusMod},
    {&Make<CharAttributeMod_ManaLimitReserveReduction>, CharAttribute_ManaLimitReserveReduction,
     "characterManaLimitReserveReductionModifier", "CharacterManaLimitReserveReductionModifier",
     BonusMod},
    {&Make<CharAttributeMod_TotalSpeed>, CharAttribute_TotalSpeed, "characterTotalSpeedModifier",
     "CharacterTotalSpeedModifier", TotalSpeed},
    {&Make<CharAttributeMod_RunSpeed>, CharAttribute_RunSpeed, "characterRunSpeedModifier",
     "CharacterRunSpeedModifier", OtherSpeedMod},
    {&Make<CharAttributeMod_AttackSpeed>, CharAttribute_AttackSpeed, "characterAttackSpeedModifier",
     "CharacterAttackSpeedModifier", AttackSpeedMod},
    {&Make<CharAttributeMod_SpellCastSpeed>, CharAttribute_SpellCastSpeed,
     "characterSpellCastSpeedModifier", "CharacterSpellCastSpeedModifier", AttackSpeedMod},
};

// Item-requirement reductions in the order of their types, 23 to 43.
const std::vector<Kind> kReqReductions = [] {
    std::unique_ptr<CharAttribute> (*const makers[])() = {
        &Make<CharAttributeVal_WeaponStrengthReqReduction>,
        &Make<CharAttributeVal_WeaponDexterityReqReduction>,
        &Make<CharAttributeVal_WeaponIntelligenceReqReduction>,
        &Make<CharAttributeVal_MeleeStrengthReqReduction>,
        &Make<CharAttributeVal_MeleeDexterityReqReduction>,
        &Make<CharAttributeVal_MeleeIntelligenceReqReduction>,
        &Make<CharAttributeVal_HuntingStrengthReqReduction>,
        &Make<CharAttributeVal_HuntingDexterityReqReduction>,
        &Make<CharAttributeVal_HuntingIntelligenceReqReduction>,
        &Make<CharAttributeVal_StaffStrengthReqReduction>,
        &Make<CharAttributeVal_StaffDexterityReqReduction>,
        &Make<CharAttributeVal_StaffIntelligenceReqReduction>,
        &Make<CharAttributeVal_ShieldStrengthReqReduction>,
        &Make<CharAttributeVal_ShieldDexterityReqReduction>,
        &Make<CharAttributeVal_ShieldIntelligenceReqReduction>,
        &Make<CharAttributeVal_ArmorStrengthReqReduction>,
        &Make<CharAttributeVal_ArmorDexterityReqReduction>,
        &Make<CharAttributeVal_ArmorIntelligenceReqReduction>,
        &Make<CharAttributeVal_JewelryStrengthReqReduction>,
        &Make<CharAttributeVal_JewelryDexterityReqReduction>,
        &Make<CharAttributeVal_JewelryIntelligenceReqReduction>,
    };
    std::vector<Kind> kinds;
    uint32_t type = CharAttribute_WeaponStrengthReqReduction;
    for (const char* group :
         {"Weapon", "Melee", "Hunting", "Staff", "Shield", "Armor", "Jewelry"}) {
        for (const char* stat : {"Strength", "Dexterity", "Intelligence"}) {
            const std::string suffix = std::string(group) + stat + "ReqReduction";
            kinds.push_back({makers[type - CharAttribute_WeaponStrengthReqReduction],
                             static_cast<CharAttributeType>(type), "character" + suffix,
                             "Character" + suffix, Bonus});
            ++type;
        }
    }
    return kinds;
}();

// The one pair that should hold 7 and a count of 1 (two for an attack speed bought by total
// speed); every other pair stays empty.
void ExpectCost(const CharAttributeCostSums& sums, Cost cost)
{
    const std::tuple<Cost, float, int32_t> pairs[] = {
        {PrimaryAtt, sums.primaryAtt, sums.primaryAttCount},
        {SecondaryAtt, sums.secondaryAtt, sums.secondaryAttCount},
        {Bonus, sums.bonus, sums.bonusCount},
        {PrimaryMod, sums.primaryMod, sums.primaryModCount},
        {SecondaryMod, sums.secondaryMod, sums.secondaryModCount},
        {BonusMod, sums.bonusMod, sums.bonusModCount},
        {AttackSpeed, sums.attackSpeed, sums.attackSpeedCount},
        {OtherSpeed, sums.otherSpeed, sums.otherSpeedCount},
        {AttackSpeedMod, sums.attackSpeedMod, sums.attackSpeedModCount},
        {OtherSpeedMod, sums.otherSpeedMod, sums.otherSpeedModCount}};
    for (const auto& [pair, sum, count] : pairs) {
        const bool total = cost == TotalSpeed && (pair == AttackSpeedMod || pair == OtherSpeedMod);
        const bool counted = pair == cost || total;
        EXPECT_EQ(sum, counted ? 7.0f : 0.0f) << static_cast<int>(pair);
        EXPECT_EQ(count, !counted                          ? 0
                         : total && pair == AttackSpeedMod ? 2
                                                           : 1)
            << static_cast<int>(pair);
    }
}

void ExpectKind(const Kind& kind)
{
    SCOPED_TRACE(kind.key);
    const std::unique_ptr<CharAttribute> attribute = kind.make();
    EXPECT_EQ(attribute->GetType(), kind.type);
    attribute->LoadBaseTable(Record(kind.key + " = 7\n"));
    EXPECT_EQ(attribute->GetValue(1), 7.0f);
    std::vector<std::wstring> header;
    std::vector<std::wstring> lines;
    attribute->CreateText(1, header, lines);
    if (!kind.tag.empty()) {
        EXPECT_EQ(lines, std::vector<std::wstring>{LocalizationManager::ToWChar(kind.tag + " 7")});
    }

    CharAttributeAccumulator accumulator;
    attribute->AddToAccumulator(accumulator, 1);
    const float own = kind.cost == TotalSpeed ? 0.0f : 7.0f;
    const bool modifier = IsModifier(kind.cost);
    EXPECT_EQ(modifier ? accumulator.GetModifier(kind.type) : accumulator.GetValue(kind.type), own);
    EXPECT_EQ(modifier ? accumulator.GetValue(kind.type) : accumulator.GetModifier(kind.type),
              0.0f);

    CharAttributeCostSums sums;
    attribute->GetCostInfo(sums);
    ExpectCost(sums, kind.cost);

    const std::unique_ptr<CharAttribute> copy = attribute->Clone();
    const CharAttribute& original = *attribute;
    const CharAttribute& cloned = *copy;
    EXPECT_EQ(typeid(cloned), typeid(original));
    EXPECT_EQ(cloned.GetValue(1), 7.0f);
}

TEST(CharAttributeKinds, EachReadsItsKeyShowsItsTagAndCountsIntoItsType)
{
    for (const Kind& kind : kKinds)
        ExpectKind(kind);
    for (const Kind& kind : kReqReductions)
        ExpectKind(kind);
}

} // namespace
} // namespace GAME
