#include "combat/CombatAttributeAbsDamage_Disruption.h"
#include "combat/CombatAttributeAbsDamage_ManaBurn.h"
#include "combat/DamageAttributeKinds.h"

#include "combat/CombatAttributeAbsDamage_LifeLeech.h"
#include "combat/CombatAttributeAbsDamage_PercentLife.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatAttributeDamage_BonusPhysical.h"
#include "combat/CombatAttributeInfluenceDamage.h"
#include "combat/CombatAttributeMod.h"
#include "combat/DamageAttributeAbs_ManaBurn.h"
#include "combat/DamageAttribute_BasePhysical.h"
#include "combat/DamageAttribute_Physical.h"
#include "combat/RetaliationAttributeKinds.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DamageAttributes.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/Records.h"
#include "tests/support/RiggedAccumulator.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace GAME {
namespace {

using Test::Calls;
using Test::CostFields;
using Test::IntCalls;
using Test::Lines;
using Test::Record;
using Test::RiggedAccumulator;
using Test::ScriptedRandom;
using Test::TextOf;

class DamageAttributeTest : public Test::DamageAttributeFixture {
protected:
    DamageAttribute* LoadKind(const char* className, const std::string& text)
    {
        return DamageAttribute::LoadInto(CreateDamageAttribute(className), store, Record(text));
    }
};

TEST_F(DamageAttributeTest, PairsTakeTheLastMaximumAndNeverGoBelowTheMinimum)
{
    auto* cold = Loaded<DamageAttributeAbs_Cold>("offensiveColdMin = 5;8;12\n"
                                                 "offensiveColdMax = 7\n");
    const float expected[][2] = {{0, 0}, {5, 7}, {8, 8}, {12, 12}, {12, 12}};
    for (uint32_t level = 0; level < 5; ++level) {
        EXPECT_EQ(cold->GetValueMin(level == 4 ? 7 : level), expected[level][0]) << level;
        EXPECT_EQ(cold->GetValueMax(level == 4 ? 7 : level), expected[level][1]) << level;
    }

    auto* fixed = Loaded<DamageAttributeAbs_Fire>("offensiveFireMin = 10\n");
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
    auto* chance = Loaded<DamageAttributeAbs_Poison>("offensivePoisonChance = 0\n"
                                                     "offensivePoisonMin = 3\n");
    accumulator.SetSeed(5);
    const uint32_t before = accumulator.GetRandomGen().GetState();
    chance->AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), before);
    EXPECT_EQ(accumulator.GetDamage().size(), 1u);
}

TEST_F(DamageAttributeTest, GlobalAndXorKeysOfAStemChooseTheGroupOfBothKinds)
{
    const std::string stun = "offensiveStunModifier = 10\noffensiveStunMin = 2\n";
    Loaded<DamageAttributeAbsMod_Stun>(stun + "offensiveStunGlobal = 1\n");
    Loaded<DamageAttributeReflex_Stun>(stun + "offensiveStunGlobal = 1\n");
    EXPECT_EQ(store.GetGlobalAndAttributes().size(), 2u);

    const std::string xorGroup = stun + "offensiveStunGlobal = 1\noffensiveStunXOR = 1\n";
    Loaded<DamageAttributeAbsMod_Stun>(xorGroup);
    Loaded<DamageAttributeReflex_Stun>(xorGroup);
    EXPECT_EQ(store.GetGlobalXorAttributes().size(), 2u);

    // The XOR key counts only inside a global group.
    Loaded<DamageAttributeReflex_Stun>(stun + "offensiveStunXOR = 1\n");
    EXPECT_EQ(store.GetAttributes().size(), 1u);
}

TEST_F(DamageAttributeTest, ChanceIsRolledOnlyWhenNotForcedAndAFailedRollDrawsNothing)
{
    auto* cold =
        Loaded<DamageAttributeAbs_Cold>("offensiveColdChance = 25\noffensiveColdMin = 10\n");
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
    auto* cold = Loaded<DamageAttributeDur_Cold>(
        "offensiveSlowColdMin = 5\noffensiveSlowColdMax = 9\noffensiveSlowColdDurationMin = 3\n");
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
    auto* elemental = Loaded<DamageAttributeAbs_ElementalDamage>("offensiveElementalMin = 30\n");
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
    auto* elemental = Loaded<DamageAttributeAbsMod_Elemental>("offensiveElementalModifier = 20\n");
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
    auto* speed = Loaded<DamageAttributeDur_TotalSpeed>("offensiveSlowTotalSpeedMin = 10\n"
                                                        "offensiveSlowTotalSpeedMax = 20\n"
                                                        "offensiveSlowTotalSpeedDurationMin = 2\n");
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
}

TEST_F(DamageAttributeTest, RetaliationAddsPlainDamageWhereOffenseAddsElemental)
{
    const std::pair<const char*, const char*> records[] = {
        {"RetaliationAttributeAbs_ElementalDamage", "retaliationElementalMin = 30\n"},
        {"RetaliationAttributeAbs_Fire", "retaliationFireMin = 20\n"},
        {"RetaliationAttributeDur_Lightning",
         "retaliationSlowLightningMin = 4\nretaliationSlowLightningDurationMin = 3\n"},
        {"RetaliationAttributeAbs_PercentCurrentLife", "retaliationPercentCurrentLifeMin = 15\n"},
        {"RetaliationAttributeReflex_Stun", "retaliationStunMin = 2\n"},
        {"RetaliationAttributeDur_RunSpeed",
         "retaliationSlowRunSpeedMin = 30\nretaliationSlowRunSpeedDurationMin = 5\n"}};
    for (const auto& [kind, keys] : records)
        DamageAttribute::LoadInto(CreateRetaliationAttribute(kind), store, Record(keys))
            ->AddDamageToAccumulator(accumulator, 1, random, false);
    using Added = std::pair<std::type_index, CombatAttributeType>;
    std::vector<Added> added;
    for (const auto& damage : accumulator.GetDamage()) {
        const CombatAttribute& held = *damage;
        added.emplace_back(typeid(held), held.GetType());
    }
    // The elemental equation is for the character's own blows only.
    const std::type_index plain = typeid(CombatAttributeAbsDamage);
    EXPECT_EQ(added, (std::vector<Added>{
                         {plain, CombatAttributeType_Cold},
                         {plain, CombatAttributeType_Fire},
                         {plain, CombatAttributeType_Lightning},
                         {plain, CombatAttributeType_Fire},
                         {typeid(CombatAttributeDurDamage), CombatAttributeType_Lightning},
                         {typeid(CombatAttributeAbsDamage_PercentLife),
                          CombatAttributeType_PercentCurrentLife},
                         {typeid(CombatAttributeReflexDamage), CombatAttributeType_Stun},
                         {typeid(CombatAttributeDurFixedDamage), CombatAttributeType_RunSpeed}}));
}

TEST_F(DamageAttributeTest, HugeRetaliationValuesSaturateWhenScaledOrJittered)
{
    auto& flat = dynamic_cast<DamageAttributeAbs&>(*DamageAttribute::LoadInto(
        CreateRetaliationAttribute("RetaliationAttributeAbs_Physical"), store,
        Record("retaliationPhysicalMin = 1e12\n"
               "retaliationPhysicalMax = 1e12\n")));
    flat.ScaleAttribute(10.0f);
    EXPECT_EQ(flat.GetValueMin(1), 1e12f + static_cast<float>(INT32_MAX));
    RandomUniform generator;
    flat.AddJitter(50.0f, &generator);
    EXPECT_TRUE(std::isfinite(flat.GetValueMin(1)));
}

TEST_F(DamageAttributeTest, ScalingTruncatesTheSinglePrecisionPercent)
{
    auto* modifier = Loaded<DamageAttributeAbsMod_Fire>("offensiveFireModifier = 100\n");
    auto* flat = Loaded<DamageAttributeAbs_Fire>("offensiveFireMin = 10\noffensiveFireMax = 14\n");
    auto* dur = Loaded<DamageAttributeDur_Fire>("offensiveSlowFireMin = 10\n"
                                                "offensiveSlowFireDurationMin = 4\n");
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
    auto* clamped = Loaded<DamageAttributeAbs_Cold>(cold);
    auto* half = Loaded<DamageAttributeAbs_Cold>(cold);
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
    auto* small = Loaded<DamageAttributeAbsMod_Cold>("offensiveColdModifier = 0.5\n");
    random.ints = {-1};
    small->AddJitter(10.0f, &random);
    EXPECT_EQ(small->GetModifierValue(1), 0.5f);
    EXPECT_EQ(random.intCalls.back(), std::make_pair(-1, 1));

    auto* base = Loaded<DamageAttributeAbsBase_Cold>("offensiveBaseColdMin = 100\n");
    auto* dur = Loaded<DamageAttributeDur_Poison>("offensiveSlowPoisonMin = 100\n"
                                                  "offensiveSlowPoisonDurationMin = 100\n");
    ScriptedRandom spare;
    spare.ints = {7, 7};
    base->AddJitter(50.0f, &spare);
    EXPECT_EQ(base->GetValueMin(1), 100.0f);
    EXPECT_TRUE(spare.intCalls.empty());
    dur->AddJitter(50.0f, &spare);
    EXPECT_EQ(dur->GetDurationMin(1), 100.0f);
}

TEST_F(DamageAttributeTest, ExtremeRecordValuesSaturateInsteadOfOverflowing)
{
    auto* huge = Loaded<DamageAttributeDurMod_Fire>("offensiveSlowFireModifier = 3e38\n"
                                                    "offensiveSlowFireDurationModifier = -3e38\n");
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

TEST_F(DamageAttributeTest, PricesCountLevelOneWeighedByItsChance)
{
    Loaded<DamageAttributeAbs_Cold>("offensiveColdChance = 50\noffensiveColdMin = 10\n"
                                    "offensiveColdMax = 20\n");
    Loaded<DamageAttributeAbsBase_Fire>("offensiveBaseFireMin = 0;4\n"
                                        "offensiveBaseFireMax = 6\n");
    Loaded<DamageAttributeDur_Poison>("offensiveSlowPoisonMin = 4\n"
                                      "offensiveSlowPoisonMax = 6\n"
                                      "offensiveSlowPoisonDurationMin = 2\n");
    Loaded<DamageAttributeDurMod_Cold>("offensiveSlowColdModifier = 10\n"
                                       "offensiveSlowColdDurationModifier = 30\n");
    Loaded<DamageAttributeAbsMod_Fire>("offensiveFireModifier = -5\n");
    CostInfo_DamageAttributes info;
    for (const auto& attribute : store.GetAttributes())
        attribute->GetCostInfo(info);
    // A range from 0 is not halved: a base of 6.
    EXPECT_EQ(CostFields(info), (std::vector<float>{6.0f, 0.0f, 7.5f, 10.0f, 10.0f, 30.0f, 5}));
}

class DamageAttributePhysicalTest : public Test::DamageAttributeFixture {
protected:
    const CombatAttributeDamage_BasePhysical& OnlyPhysical() const
    {
        EXPECT_EQ(accumulator.GetDamage().size(), 1u);
        return dynamic_cast<const CombatAttributeDamage_BasePhysical&>(*accumulator.GetDamage()[0]);
    }
};

TEST_F(DamageAttributePhysicalTest, WeaponWithoutPhysicalKeysStillStrikesForNothing)
{
    DamageAttribute_BasePhysical::Create_BasePhysical(store,
                                                      Record("offensivePhysicalGlobal = 1\n"));
    ASSERT_EQ(store.GetAttributes().size(), 1u);
    const DamageAttribute& base = *store.GetAttributes()[0];
    base.AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_EQ(OnlyPhysical().GetPhysical(), 0.0f);
    Lines first, second, third;
    base.CreateText(first, second, third, 1);
    EXPECT_TRUE(first.empty() && second.empty() && third.empty());
    CostInfo_DamageAttributes info;
    base.GetCostInfo(info);
    EXPECT_EQ(CostFields(info), std::vector<float>(7, 0.0f));
}

TEST_F(DamageAttributePhysicalTest, WeaponDamageRollsNoChanceAndIsScaledButNeverJittered)
{
    auto* base = Loaded<DamageAttribute_BasePhysical>("offensivePhysicalMin = 4\n"
                                                      "offensivePhysicalMax = 6\n"
                                                      "offensivePierceRatioMin = 10\n"
                                                      "offensivePhysicalChance = 50\n");
    accumulator.SetSeed(12);
    const uint32_t chanceState = accumulator.GetRandomGen().GetState();
    random.floats = {5.5f};
    base->AddDamageToAccumulator(accumulator, 0, random, false);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), chanceState);
    EXPECT_EQ(random.floatCalls, (Calls{{4.0f, 6.0f}}));
    EXPECT_EQ(OnlyPhysical().GetPhysical(), 5.5f);
    EXPECT_EQ(OnlyPhysical().GetPierceRatio(), 10.0f);

    base->AddJitter(50.0f, &random);
    EXPECT_EQ(base->GetMinimum(), 4.0f);
    EXPECT_TRUE(random.intCalls.empty());
    // 50 percent of 4 is 1.99999996, one whole point.
    base->ScaleAttribute(50.0f);
    EXPECT_EQ(base->GetMinimum(), 5.0f);
    EXPECT_EQ(base->GetSpread(), 2.0f);
}

TEST_F(DamageAttributePhysicalTest, PerLevelSpreadHoldsWholeUnits)
{
    auto* physical = Loaded<DamageAttribute_Physical>("offensivePhysicalMin = 3.5;1\n"
                                                      "offensivePhysicalMax = 7.2;1e30\n"
                                                      "offensivePierceRatio = 0\n");
    EXPECT_EQ(physical->GetValueMax(1), 6.5f);
    // An absurd maximum saturates rather than overflowing the whole number.
    EXPECT_EQ(physical->GetValueMax(2), 1.0f + 4294967295.0f);

    physical->AddDamageToAccumulator(accumulator, 1, random, true);
    EXPECT_EQ(random.floatCalls, (Calls{{3.5f, 6.5f}}));
    EXPECT_EQ(OnlyPhysical().GetType(), CombatAttributeType_PhysicalPierce);
    EXPECT_EQ(Load<DamageAttribute_Physical>("offensivePierceRatio = 20\n"), nullptr);
}

TEST_F(DamageAttributePhysicalTest, PerLevelJitterTruncatesTheSpreadAndMovesThePierceRatio)
{
    auto* physical = Loaded<DamageAttribute_Physical>("offensivePhysicalMin = 10\n"
                                                      "offensivePhysicalMax = 20\n"
                                                      "offensivePierceRatio = 30\n");
    random.ints = {1, -1, 2};
    physical->AddJitter(10.0f, &random);
    EXPECT_EQ(random.intCalls, (IntCalls{{-1, 1}, {-1, 1}, {-2, 2}}));
    EXPECT_EQ(physical->GetValueMin(1), 11.0f);
    EXPECT_EQ(physical->GetValueMax(1), 20.0f);
    EXPECT_EQ(physical->GetPierceRatio(1), 32.0f);
}

TEST_F(DamageAttributePhysicalTest, PriceWeighsLevelOneByItsChanceWithItsPierceRatio)
{
    auto* physical = Loaded<DamageAttribute_Physical>("offensivePhysicalChance = 20\n"
                                                      "offensivePhysicalMin = 4;5;6\n"
                                                      "offensivePierceRatio = 10;15;12\n");
    CostInfo_DamageAttributes info;
    physical->GetCostInfo(info);
    // (4 + 4) / 2 at a chance of 20 percent.
    EXPECT_FLOAT_EQ(info.avgBonus, 0.8f);
    EXPECT_EQ(info.avgPierceRatio, 10.0f);
}

TEST_F(DamageAttributePhysicalTest, ManaBurnCarriesItsRatioIntoAttackAndText)
{
    auto* burn = Loaded<DamageAttributeAbs_ManaBurn>("offensiveManaBurnDrainMin = 0;5\n"
                                                     "offensiveManaBurnDamageRatio = 20;20;25\n");
    EXPECT_EQ(TextOf(*burn, 2), L"DamageSingleFormat 5DamageManaDrainDamageManaBurnRatio 20");
    burn->AddDamageToAccumulator(accumulator, 3, random, false);
    ASSERT_EQ(accumulator.GetDamage().size(), 1u);
    const auto& drain =
        dynamic_cast<const CombatAttributeAbsDamage_ManaBurn&>(*accumulator.GetDamage()[0]);
    EXPECT_EQ(drain.GetValue(), 5.0f);
    EXPECT_EQ(drain.GetRatio(), 25.0f);

    // Jitter and scaling leave the ratio alone.
    burn->AddJitter(50.0f, &random);
    burn->ScaleAttribute(50.0f);
    EXPECT_EQ(burn->GetDamageRatio(3), 25.0f);
}

void ExpectKeys(const std::string& className, const Test::KindKeys& keys)
{
    Test::ExpectKeys(CreateDamageAttribute(className.c_str()), className, keys);
}

TEST(DamageAttributeKinds, KindsWithKeysOfTheirOwn)
{
    ExpectKeys("DamageAttributeAbs_BonusPhysical",
               {CombatAttributeType_Physical, "offensiveBonusPhysicalChance",
                "offensiveBonusPhysicalXOR", "offensiveBonusPhysicalGlobal", "DamageBonusPhysical",
                "", "", "offensiveBonusPhysicalMin", "offensiveBonusPhysicalMax", "", ""});
    ExpectKeys("DamageAttributeAbsMod_ManaBurn",
               {CombatAttributeType_ManaBurn, "offensiveManaBurnRatioAdderChance",
                "offensiveManaBurnXOR", "offensiveManaBurnGlobal", "DamageModifierManaBurn",
                "offensiveManaBurnRatioAdder", "", "", "", "", ""});
    ExpectKeys("DamageAttributeAbs_ManaBurn",
               {CombatAttributeType_ManaBurn, "offensiveManaBurnChance", "offensiveManaBurnXOR",
                "offensiveManaBurnGlobal", "DamageManaDrain", "", "", "offensiveManaBurnDrainMin",
                "offensiveManaBurnDrainMax", "", ""});
    EXPECT_EQ(CreateDamageAttribute("DamageAttribute_BasePhysical"), nullptr);
    EXPECT_EQ(CreateDamageAttribute("DamageAttributeAbs_Frost"), nullptr);
}

// Kinds whose stem, tag or type leaves the naming rule: every key comes from their own stem, and
// nothing else reads them.
TEST(DamageAttributeKinds, KindsOffTheNamingRuleReadEveryKeyFromTheirStem)
{
    const struct {
        const char* kind;
        const char* stem;
        const char* display;
        CombatAttributeType type;
    } rows[] = {
        {"Abs_LifeLeech", "offensiveLifeLeech", "DamageLifeLeech", CombatAttributeType_LifeLeach},
        {"AbsBase_Life", "offensiveBaseLife", "tagDamageBaseVitality", CombatAttributeType_Life},
        {"Dur_TotalResistanceReductionAbsolute", "offensiveTotalResistanceReductionAbsolute",
         "DamageTotalResistanceReductionAbsolute",
         CombatAttributeType_TotalResistanceReductionAbsolute},
        {"Dur_ProjectileFumble", "offensiveProjectileFumble", "DamageDurationProjectileFumble",
         CombatAttributeType_ProjectileFumble},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        const std::string kind = row.kind;
        const std::unique_ptr<DamageAttribute> made =
            CreateDamageAttribute(("DamageAttribute" + kind).c_str());
        ASSERT_NE(made, nullptr);
        const DamageAttributeKeys& keys = made->GetKeys();
        EXPECT_EQ(keys.type, row.type);
        EXPECT_STREQ(keys.display, row.display);
        std::vector<std::pair<const char*, const char*>> read = {{keys.chance, "Chance"},
                                                                 {keys.xorKey, "XOR"},
                                                                 {keys.global, "Global"},
                                                                 {keys.valueMin, "Min"},
                                                                 {keys.valueMax, "Max"}};
        if (kind.starts_with("Dur_"))
            read.insert(read.end(),
                        {{keys.durationMin, "DurationMin"}, {keys.durationMax, "DurationMax"}});
        for (const auto& [key, suffix] : read)
            EXPECT_STREQ(key, (std::string(row.stem) + suffix).c_str());
    }
}

} // namespace
} // namespace GAME
