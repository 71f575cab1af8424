#include "combat/CombatAttributeAbsDamage_Disruption.h"
#include "combat/CombatAttributeAbsDamage_LifeLeech.h"
#include "combat/CombatAttributeAbsDamage_PercentLife.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BonusPhysical.h"
#include "combat/CombatAttributeInfluenceDamage.h"
#include "combat/CombatAttributeMod.h"
#include "combat/DamageAttributeKinds.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DamageAttributes.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/Records.h"
#include "tests/support/RiggedAccumulator.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <string>
#include <typeindex>
#include <vector>

namespace GAME {
namespace {

using Test::Calls;
using Test::IntCalls;
using Test::Lines;
using Test::Record;
using Test::RiggedAccumulator;
using Test::ScriptedRandom;

class DamageAttributeTest : public Test::DamageAttributeFixture {
protected:
    DamageAttribute* LoadKind(const char* className, const std::string& text)
    {
        return DamageAttribute::LoadInto(CreateDamageAttribute(className), store, Record(text));
    }
};

TEST_F(DamageAttributeTest, PairsTakeTheLastMaximumAndNeverGoBelowTheMinimum)
{
    auto* cold = Load<DamageAttributeAbs_Cold>("offensiveColdMin = 5;8;12\n"
                                               "offensiveColdMax = 7\n");
    ASSERT_NE(cold, nullptr);
    const float expected[][2] = {{0, 0}, {5, 7}, {8, 8}, {12, 12}, {12, 12}};
    for (uint32_t level = 0; level < 5; ++level) {
        EXPECT_EQ(cold->GetValueMin(level == 4 ? 7 : level), expected[level][0]) << level;
        EXPECT_EQ(cold->GetValueMax(level == 4 ? 7 : level), expected[level][1]) << level;
    }
    EXPECT_EQ(store.GetAttributes().size(), 1u);

    auto* fixed = Load<DamageAttributeAbs_Fire>("offensiveFireMin = 10\n");
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->GetValueMax(1), 10.0f);
}

TEST_F(DamageAttributeTest, AbsentOrLoneZeroRecordsLoadNothing)
{
    EXPECT_EQ(Load<DamageAttributeAbs_Cold>("offensiveColdMin = 0\noffensiveColdMax = 9\n"),
              nullptr);
    // No minimum at all: no pairs, and nothing read past the empty list.
    EXPECT_EQ(Load<DamageAttributeAbs_Cold>("offensiveColdMax = 9\n"), nullptr);
    EXPECT_EQ(Load<DamageAttributeAbsMod_Cold>("offensiveColdModifier = 0\n"), nullptr);
    EXPECT_EQ(Load<DamageAttributeDur_Cold>("offensiveSlowColdMin = 4\n"), nullptr);
    EXPECT_EQ(Load<DamageAttributeAbs_ManaBurn>("offensiveManaBurnDamageRatio = 20\n"), nullptr);
    EXPECT_TRUE(store.GetAttributes().empty());

    // Only a single 0 counts as absent; the chance keeps its 0.
    EXPECT_NE(Load<DamageAttributeAbs_Cold>("offensiveColdMin = 0;0\n"), nullptr);
    EXPECT_NE(Load<DamageAttributeDurMod_Cold>("offensiveSlowColdModifier = 0\n"
                                               "offensiveSlowColdDurationModifier = 5\n"),
              nullptr);
    auto* chance = Load<DamageAttributeAbs_Poison>("offensivePoisonChance = 0\n"
                                                   "offensivePoisonMin = 3\n");
    ASSERT_NE(chance, nullptr);
    accumulator.SetSeed(5);
    const uint32_t before = accumulator.GetRandomGen().GetState();
    chance->AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), before);
    EXPECT_EQ(accumulator.GetDamage().size(), 1u);
}

TEST_F(DamageAttributeTest, GlobalAndXorKeysOfAStemChooseTheGroupOfBothKinds)
{
    const std::string stun = "offensiveStunModifier = 10\noffensiveStunMin = 2\n";
    ASSERT_NE(Load<DamageAttributeAbsMod_Stun>(stun + "offensiveStunGlobal = 1\n"), nullptr);
    ASSERT_NE(Load<DamageAttributeReflex_Stun>(stun + "offensiveStunGlobal = 1\n"), nullptr);
    EXPECT_EQ(store.GetGlobalAndAttributes().size(), 2u);

    const std::string xorGroup = stun + "offensiveStunGlobal = 1\noffensiveStunXOR = 1\n";
    ASSERT_NE(Load<DamageAttributeAbsMod_Stun>(xorGroup), nullptr);
    ASSERT_NE(Load<DamageAttributeReflex_Stun>(xorGroup), nullptr);
    EXPECT_EQ(store.GetGlobalXorAttributes().size(), 2u);

    // The XOR key counts only inside a global group.
    ASSERT_NE(Load<DamageAttributeReflex_Stun>(stun + "offensiveStunXOR = 1\n"), nullptr);
    EXPECT_EQ(store.GetAttributes().size(), 1u);
}

TEST_F(DamageAttributeTest, ChanceIsRolledOnlyWhenNotForcedAndAFailedRollDrawsNothing)
{
    auto* cold = Load<DamageAttributeAbs_Cold>("offensiveColdChance = 25\noffensiveColdMin = 10\n");
    ASSERT_NE(cold, nullptr);
    RiggedAccumulator attack;
    attack.pass = false;
    cold->AddDamageToAccumulator(attack, 1, random, true);
    EXPECT_EQ(attack.rolls, 0);
    EXPECT_EQ(attack.GetDamage().size(), 1u);
    cold->AddDamageToAccumulator(attack, 1, random, false);
    EXPECT_EQ(attack.rolls, 1);
    EXPECT_EQ(attack.GetDamage().size(), 1u);
    EXPECT_EQ(random.floatCalls, (Calls{{10.0f, 10.0f}})) << "only the forced value is drawn";
}

TEST_F(DamageAttributeTest, DurationKindsDrawValueThenDurationAndWeighOnlyTheValue)
{
    auto* cold = Load<DamageAttributeDur_Cold>(
        "offensiveSlowColdMin = 5\noffensiveSlowColdMax = 9\noffensiveSlowColdDurationMin = 3\n");
    ASSERT_NE(cold, nullptr);
    random.floats = {7.0f, 3.0f};
    RiggedAccumulator doubling;
    doubling.multiplier = 2.0f;
    cold->AddDamageToAccumulator(doubling, 1, random, false);
    EXPECT_EQ(random.floatCalls, (Calls{{5.0f, 9.0f}, {3.0f, 3.0f}}));
    ASSERT_EQ(doubling.GetDamage().size(), 1u);
    const auto& damage = *doubling.GetDamage()[0];
    EXPECT_EQ(typeid(damage), typeid(CombatAttributeDurDamageElemental));
    const auto& dur = static_cast<const CombatAttributeDurDamage&>(damage);
    EXPECT_EQ(dur.GetType(), CombatAttributeType_Cold);
    EXPECT_EQ(dur.GetValue(), 14.0f);
    EXPECT_EQ(dur.GetDuration(), 3.0f);
}

TEST_F(DamageAttributeTest, ElementalDamageSplitsOneDrawIntoColdFireAndLightning)
{
    auto* elemental = Load<DamageAttributeAbs_ElementalDamage>("offensiveElementalMin = 30\n");
    ASSERT_NE(elemental, nullptr);
    elemental->AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_EQ(random.floatCalls, (Calls{{30.0f, 30.0f}}));

    const CombatAttributeType order[] = {CombatAttributeType_Cold, CombatAttributeType_Fire,
                                         CombatAttributeType_Lightning};
    ASSERT_EQ(accumulator.GetDamage().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const auto& share = *accumulator.GetDamage()[i];
        EXPECT_EQ(typeid(share), typeid(CombatAttributeAbsDamage));
        EXPECT_EQ(share.GetType(), order[i]);
        EXPECT_EQ(static_cast<const CombatAttributeAbsDamage&>(share).GetValue(),
                  30.0f * 0.33333334f);
    }
}

TEST_F(DamageAttributeTest, ElementalModifierGivesTheWholeModifierToEachElement)
{
    auto* elemental = Load<DamageAttributeAbsMod_Elemental>("offensiveElementalModifier = 20\n");
    ASSERT_NE(elemental, nullptr);
    elemental->AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_TRUE(accumulator.GetDamage().empty());
    elemental->AddModifierToAccumulator(accumulator, 1, random, false);
    ASSERT_EQ(accumulator.GetDamageModifiers().size(), 3u);
    const CombatAttributeType order[] = {CombatAttributeType_Cold, CombatAttributeType_Fire,
                                         CombatAttributeType_Lightning};
    for (size_t i = 0; i < 3; ++i) {
        CombatAttributeAbsDamage target(order[i], 100.0f);
        accumulator.GetDamageModifiers()[i]->Execute(&target, CombatAttributeRegion_Unprotected);
        EXPECT_EQ(target.GetModifier(), 20.0f) << i;
    }
}

TEST_F(DamageAttributeTest, TotalSpeedSlowsAttackSpellCastAndRunSpeedAlike)
{
    auto* speed = Load<DamageAttributeDur_TotalSpeed>("offensiveSlowTotalSpeedMin = 10\n"
                                                      "offensiveSlowTotalSpeedMax = 20\n"
                                                      "offensiveSlowTotalSpeedDurationMin = 2\n");
    ASSERT_NE(speed, nullptr);
    random.floats = {12.0f, 2.0f};
    speed->AddDamageToAccumulator(accumulator, 1, random, false);
    ASSERT_EQ(accumulator.GetDamage().size(), 3u);
    for (int32_t i = 0; i < 3; ++i) {
        const auto& slow = *accumulator.GetDamage()[i];
        EXPECT_EQ(typeid(slow), typeid(CombatAttributeDurFixedDamage));
        EXPECT_EQ(slow.GetType(), CombatAttributeType_AttackSpeed + i);
        EXPECT_EQ(static_cast<const CombatAttributeDurDamage&>(slow).GetValue(), 12.0f);
        EXPECT_EQ(static_cast<const CombatAttributeDurDamage&>(slow).GetDuration(), 2.0f);
    }
}

TEST_F(DamageAttributeTest, EachKindAddsItsOwnCombatAttribute)
{
    const struct {
        const char* kind;
        std::type_index created;
    } kinds[] = {
        {"DamageAttributeAbsBase_Cold", typeid(CombatAttributeAbsDamageElemental)},
        {"DamageAttributeAbsBase_Poison", typeid(CombatAttributeAbsDamage)},
        {"DamageAttributeAbs_Lightning", typeid(CombatAttributeAbsDamageElemental)},
        {"DamageAttributeAbs_Life", typeid(CombatAttributeAbsDamage)},
        {"DamageAttributeReflex_Trap", typeid(CombatAttributeReflexDamage)},
        {"DamageAttributeAbs_Taunt", typeid(CombatAttributeInfluenceDamage_Taunt)},
        {"DamageAttributeAbs_Convert", typeid(CombatAttributeInfluenceDamage_Convert)},
        {"DamageAttributeAbs_Fear", typeid(CombatAttributeInfluenceDamage_Fear)},
        {"DamageAttributeAbs_Confusion", typeid(CombatAttributeInfluenceDamage_Confusion)},
        {"DamageAttributeAbs_PercentCurrentLife", typeid(CombatAttributeAbsDamage_PercentLife)},
        {"DamageAttributeAbs_Disruption", typeid(CombatAttributeAbsDamage_Disruption)},
        {"DamageAttributeAbs_LifeLeech", typeid(CombatAttributeAbsDamage_LifeLeech)},
        {"DamageAttributeAbs_BonusPhysical", typeid(CombatAttributeDamage_BonusPhysical)},
        {"DamageAttributeDur_Poison", typeid(CombatAttributeDurDamage)},
        {"DamageAttributeDur_Fire", typeid(CombatAttributeDurDamageElemental)},
        {"DamageAttributeDur_Fumble", typeid(CombatAttributeDurFixedDamage)},
    };
    for (const auto& entry : kinds) {
        SCOPED_TRACE(entry.kind);
        std::unique_ptr<DamageAttribute> probe = CreateDamageAttribute(entry.kind);
        std::string text = std::string(probe->GetLoadChanceTag()) + " = 0\n";
        if (auto* flat = dynamic_cast<DamageAttributeAbs*>(probe.get()))
            text += std::string(flat->GetLoadValueMinTag()) + " = 4\n";
        if (auto* dur = dynamic_cast<DamageAttributeDur*>(probe.get()))
            text += std::string(dur->GetLoadValueMinTag()) + " = 4\n" +
                    dur->GetLoadDurationMinTag() + " = 2\n";
        DamageAttribute* attribute = LoadKind(entry.kind, text);
        ASSERT_NE(attribute, nullptr);
        CombatAttributeAccumulator attack;
        attribute->AddModifierToAccumulator(attack, 1, random, false);
        attribute->AddDamageToAccumulator(attack, 1, random, false);
        EXPECT_TRUE(attack.GetDamageModifiers().empty());
        ASSERT_EQ(attack.GetDamage().size(), 1u);
        const auto& created = *attack.GetDamage()[0];
        EXPECT_EQ(std::type_index(typeid(created)), entry.created);
        EXPECT_EQ(created.GetType(), probe->GetType());
    }
    EXPECT_EQ(CreateDamageAttribute("DamageAttributeAbs_LifeLeech")->GetType(),
              CombatAttributeType_LifeLeach);
}

TEST_F(DamageAttributeTest, ScalingTruncatesTheSinglePrecisionPercent)
{
    auto* modifier = Load<DamageAttributeAbsMod_Fire>("offensiveFireModifier = 100\n");
    auto* flat = Load<DamageAttributeAbs_Fire>("offensiveFireMin = 10\noffensiveFireMax = 14\n");
    auto* dur = Load<DamageAttributeDur_Fire>("offensiveSlowFireMin = 10\n"
                                              "offensiveSlowFireDurationMin = 4\n");
    ASSERT_TRUE(modifier && flat && dur);
    modifier->ScaleAttribute(10.0f);
    EXPECT_EQ(modifier->GetModifierValue(1), 109.0f);
    flat->ScaleAttribute(0.0f);
    EXPECT_EQ(flat->GetValueMin(1), 10.0f);
    flat->ScaleAttribute(50.0f);
    EXPECT_EQ(flat->GetValueMin(1), 14.0f);
    EXPECT_EQ(flat->GetValueMax(1), 18.0f);
    dur->ScaleAttribute(50.0f);
    EXPECT_EQ(dur->GetValueMin(1), 14.0f);
    EXPECT_EQ(dur->GetDurationMin(1), 4.0f);
}

TEST_F(DamageAttributeTest, JitterIsClampedToFiftyPercentAndSparesBaseKindsAndDurations)
{
    const std::string cold = "offensiveColdMin = 100\noffensiveColdMax = 150\n";
    auto* clamped = Load<DamageAttributeAbs_Cold>(cold);
    auto* half = Load<DamageAttributeAbs_Cold>(cold);
    ASSERT_TRUE(clamped && half);
    ScriptedRandom other;
    random.ints = {3, -2};
    other.ints = {3, -2};
    clamped->AddJitter(80.0f, &random);
    half->AddJitter(50.0f, &other);
    // 100 and its spread 50 move by whole steps of at most 49 and 24.
    EXPECT_EQ(random.intCalls, (IntCalls{{-49, 49}, {-24, 24}}));
    EXPECT_EQ(other.intCalls, random.intCalls);
    EXPECT_EQ(clamped->GetValueMin(1), 103.0f);
    EXPECT_EQ(clamped->GetValueMax(1), 151.0f);

    // No percent or no generator: nothing changes and nothing is drawn.
    clamped->AddJitter(0.0f, &random);
    clamped->AddJitter(20.0f, nullptr);
    EXPECT_EQ(clamped->GetValueMin(1), 103.0f);
    EXPECT_EQ(random.intCalls.size(), 2u);

    // A result below 1 in magnitude keeps the value, but the draw is spent.
    auto* small = Load<DamageAttributeAbsMod_Cold>("offensiveColdModifier = 0.5\n");
    ASSERT_NE(small, nullptr);
    random.ints = {-1};
    small->AddJitter(10.0f, &random);
    EXPECT_EQ(small->GetModifierValue(1), 0.5f);
    EXPECT_EQ(random.intCalls.back(), std::make_pair(-1, 1));

    auto* base = Load<DamageAttributeAbsBase_Cold>("offensiveBaseColdMin = 100\n");
    auto* dur = Load<DamageAttributeDur_Poison>("offensiveSlowPoisonMin = 100\n"
                                                "offensiveSlowPoisonDurationMin = 100\n");
    ASSERT_TRUE(base && dur);
    ScriptedRandom spare;
    spare.ints = {7, 7};
    base->AddJitter(50.0f, &spare);
    EXPECT_EQ(base->GetValueMin(1), 100.0f);
    EXPECT_TRUE(spare.intCalls.empty());
    dur->AddJitter(50.0f, &spare);
    EXPECT_EQ(dur->GetDurationMin(1), 100.0f);
    EXPECT_EQ(dur->GetDurationMax(1), 100.0f);
}

TEST_F(DamageAttributeTest, ExtremeRecordValuesSaturateInsteadOfOverflowing)
{
    auto* huge = Load<DamageAttributeDurMod_Fire>("offensiveSlowFireModifier = 3e38\n"
                                                  "offensiveSlowFireDurationModifier = -3e38\n");
    ASSERT_NE(huge, nullptr);
    random.ints = {INT32_MAX, INT32_MAX};
    huge->AddJitter(50.0f, &random);
    huge->ScaleAttribute(50.0f);
    EXPECT_EQ(random.intCalls.front(), std::make_pair(-INT32_MAX, INT32_MAX));
    EXPECT_FLOAT_EQ(huge->GetModifierValue(1), 3e38f);
    EXPECT_FLOAT_EQ(huge->GetDurationModifierValue(1), -3e38f);
}

TEST_F(DamageAttributeTest, TooltipLinesGoToTheirFamilysList)
{
    const LoadTable record = Record("offensiveBaseColdMin = 3\noffensiveBaseColdMax = 5\n"
                                    "offensiveColdModifier = 20\n"
                                    "offensiveSlowColdMin = 8\noffensiveSlowColdDurationMin = 1\n"
                                    "offensiveColdChance = 25\noffensiveColdMin = 10\n"
                                    "offensiveColdMax = 15\n"
                                    "offensiveSlowAttackSpeedModifier = 10\n"
                                    "offensiveSlowAttackSpeedDurationModifier = 50\n"
                                    "offensiveFumbleMin = 20\noffensiveFumbleDurationMin = 2\n"
                                    "offensiveFumbleDurationMax = 4\n"
                                    "offensiveStunMin = 2\n"
                                    "offensiveConvertMin = 1\noffensiveConvertMax = 3\n"
                                    "offensiveTauntMin = 5\n");
    Lines first, second, third;
    for (const char* kind :
         {"DamageAttributeAbsBase_Cold", "DamageAttributeAbsMod_Cold", "DamageAttributeDur_Cold",
          "DamageAttributeAbs_Cold", "DamageAttributeDurMod_AttackSpeed",
          "DamageAttributeDur_Fumble", "DamageAttributeReflex_Stun", "DamageAttributeAbs_Convert",
          "DamageAttributeAbs_Taunt"}) {
        DamageAttribute* attribute =
            DamageAttribute::LoadInto(CreateDamageAttribute(kind), store, record);
        ASSERT_NE(attribute, nullptr) << kind;
        attribute->CreateText(first, second, third, 1);
        attribute->CreateText(first, second, third, 0);
    }
    EXPECT_EQ(first, (Lines{L"DamageRangeFormat 3 5tagDamageBaseCold"}));
    EXPECT_EQ(second, (Lines{L"DamageModifierCold 20",
                             L"DamageSingleFormat 8DamageDurationColdtagPerSecond"}));
    EXPECT_EQ(third,
              (Lines{L"ChanceOfTag 25DamageRangeFormat 10 15DamageCold",
                     L"DamageDurationModifierAttackSpeed 10ImprovedTimeFormat 50",
                     L"DamageSingleFormat 20DamageDurationFumbleDamageFixedRangeFormatTime 2 4",
                     L"DamageReflexSingleFormat 2DamageStun",
                     L"DamageInfluenceRangeFormat 1 3DamageConvert"}));
}

TEST_F(DamageAttributeTest, GlobalMembersShowAnIndentInPlaceOfTheirChance)
{
    auto* cold = Load<DamageAttributeAbs_Cold>("offensiveColdChance = 25\noffensiveColdMin = 10\n");
    ASSERT_NE(cold, nullptr);
    std::wstring line;
    cold->SetHideChanceIndentLine(true);
    cold->GetText(line, 1);
    EXPECT_EQ(line, L"tagIndentDamageSingleFormat 10DamageCold");
    line.clear();
    cold->SetHideChanceIndentLine(false);
    cold->GetText(line, 1);
    EXPECT_EQ(line, L"ChanceOfTag 25DamageSingleFormat 10DamageCold");
    // A copy carries the data and the flag.
    cold->SetHideChanceIndentLine(true);
    const std::unique_ptr<DamageAttribute> copy = cold->Clone();
    Lines first, second, third;
    copy->CreateText(first, second, third, 1);
    EXPECT_EQ(third, (Lines{L"tagIndentDamageSingleFormat 10DamageCold"}));
}

TEST_F(DamageAttributeTest, DurationTimesShowPerSecondSingleOrRange)
{
    auto* range =
        Load<DamageAttributeDur_Cold>("offensiveSlowColdMin = 8\noffensiveSlowColdDurationMin = 3\n"
                                      "offensiveSlowColdDurationMax = 5\n");
    auto* single = Load<DamageAttributeDur_Life>("offensiveSlowLifeMin = 8\n"
                                                 "offensiveSlowLifeDurationMin = 3\n");
    auto* fixed = Load<DamageAttributeDur_RunSpeed>("offensiveSlowRunSpeedMin = 20\n"
                                                    "offensiveSlowRunSpeedMax = 30\n"
                                                    "offensiveSlowRunSpeedDurationMin = 2\n");
    ASSERT_TRUE(range && single && fixed);
    const auto text = [](const auto* attribute) {
        std::wstring line;
        attribute->GetText(line, 1);
        return line;
    };
    EXPECT_EQ(text(range), L"DamageRangeFormat 24 40DamageDurationColdDamageRangeFormatTime 3 5");
    EXPECT_EQ(text(single), L"DamageSingleFormat 24DamageDurationLifeDamageSingleFormatTime 3");
    EXPECT_EQ(text(fixed),
              L"DamageRangeFormat 20 30DamageDurationRunSpeedDamageFixedSingleFormatTime 2");
}

TEST_F(DamageAttributeTest, NextLevelLinesOnlyWhereSomethingChanges)
{
    auto* cold = Load<DamageAttributeAbs_Cold>("offensiveColdChance = 25;25;30\n"
                                               "offensiveColdMin = 10;12;12\n"
                                               "offensiveColdMax = 15\n");
    ASSERT_NE(cold, nullptr);
    Lines first, second, third;
    cold->CreateNextText(first, second, third, 1, 2);
    cold->CreateNextText(first, second, third, 3, 4);
    cold->CreateNextText(first, second, third, 2, 3);
    // The next level's numbers stand even when they are 0.
    cold->CreateNextText(first, second, third, 1, 0);
    EXPECT_EQ(third, (Lines{L"ChanceOfTag 25DamageRangeFormat 12 15DamageCold",
                            L"ChanceOfTag 30DamageRangeFormat 12 15DamageCold",
                            L"DamageSingleFormat 0DamageCold"}));
    EXPECT_TRUE(first.empty() && second.empty());
}

TEST_F(DamageAttributeTest, PricesCountLevelOneWeighedByItsChance)
{
    ASSERT_NE(Load<DamageAttributeAbs_Cold>("offensiveColdChance = 50\noffensiveColdMin = 10\n"
                                            "offensiveColdMax = 20\n"),
              nullptr);
    ASSERT_NE(Load<DamageAttributeAbsBase_Fire>("offensiveBaseFireMin = 0;4\n"
                                                "offensiveBaseFireMax = 6\n"),
              nullptr);
    ASSERT_NE(Load<DamageAttributeDur_Poison>("offensiveSlowPoisonMin = 4\n"
                                              "offensiveSlowPoisonMax = 6\n"
                                              "offensiveSlowPoisonDurationMin = 2\n"),
              nullptr);
    ASSERT_NE(Load<DamageAttributeDurMod_Cold>("offensiveSlowColdModifier = 10\n"
                                               "offensiveSlowColdDurationModifier = 30\n"),
              nullptr);
    ASSERT_NE(Load<DamageAttributeAbsMod_Fire>("offensiveFireModifier = -5\n"), nullptr);
    CostInfo_DamageAttributes info;
    for (const auto& attribute : store.GetAttributes())
        attribute->GetCostInfo(info);
    EXPECT_EQ(info.avgBonus, 7.5f);
    // A range from 0 is not halved.
    EXPECT_EQ(info.avgBase, 6.0f);
    EXPECT_EQ(info.avgOverTime, 10.0f);
    EXPECT_EQ(info.mod, 10.0f);
    EXPECT_EQ(info.modDur, 30.0f);
    EXPECT_EQ(info.count, 5);
}

} // namespace
} // namespace GAME
