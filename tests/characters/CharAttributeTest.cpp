#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeMod.h"
#include "characters/CharAttributeVal.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "tests/support/Records.h"

#include <initializer_list>
#include <limits>
#include <utility>

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

    // A lone zero loads as empty; two do not.
    CharAttributeVal_Strength zero;
    zero.LoadBaseTable(Record("characterStrength = 0\n"));
    EXPECT_FALSE(zero.IsNotEmpty());
    EXPECT_EQ(zero.GetValue(1), 0.0f);
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
    strength.AddJitter(-20.0f, &random);
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

} // namespace
} // namespace GAME
