#include "combat/CombatAttributeAccumulator.h"
#include "characters/Character.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDefense.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/CombatAttributeMod.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME {
namespace {

std::unique_ptr<CombatAttribute> Fire(float value)
{
    return std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Fire, value);
}

std::unique_ptr<CombatAttribute> FireResistance(float value)
{
    return std::make_unique<CombatAttributeAbsDefense>(CombatAttributeType_Fire, value);
}

float AbsoluteTotal(CombatAttributeAccumulator& accumulator)
{
    float absolute = 0.0f;
    float overTime = 0.0f;
    accumulator.GetTotalDamage(absolute, overTime);
    return absolute;
}

TEST(CombatAttributeAccumulatorChance, ZeroAlwaysAppliesWithoutDrawing)
{
    CombatAttributeAccumulator accumulator;
    accumulator.SetSeed(1234);
    const uint32_t before = accumulator.GetRandomGen().GetState();
    EXPECT_TRUE(accumulator.EvaluateChance(0.0f));
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), before);
}

TEST(CombatAttributeAccumulatorChance, RollsOnTheAttackSequence)
{
    CombatAttributeAccumulator accumulator;
    accumulator.SetSeed(1234);
    RandomUniform reference;
    reference.Seed(1234);
    const int roll = reference.IGenerate(0, 100);
    EXPECT_EQ(accumulator.EvaluateChance(static_cast<float>(roll)), true);
    EXPECT_EQ(accumulator.EvaluateChance(100.0f), true);
    reference.IGenerate(0, 100);
    const int third = reference.IGenerate(0, 100);
    EXPECT_EQ(accumulator.EvaluateChance(static_cast<float>(third) - 0.5f), false);
    EXPECT_FALSE(accumulator.EvaluateChance(-5.0f));
    EXPECT_FLOAT_EQ(accumulator.GetChanceMultiplier(37.0f), 1.0f);
}

TEST(CombatAttributeAccumulatorDefense, ResistancesOfOneTypeMerge)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDefense(FireResistance(10.0f));
    accumulator.AddDefense(
        std::make_unique<CombatAttributeAbsDefense>(CombatAttributeType_Cold, 5.0f));
    accumulator.AddDefense(FireResistance(15.0f));
    accumulator.AddDefense(nullptr);
    ASSERT_EQ(accumulator.GetDefenses().size(), 2u);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Fire), 25.0f);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Cold), 5.0f);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Poison), 0.0f);
}

TEST(CombatAttributeAccumulatorDefense, ArmourPiecesStayApartAndDurationCountsNothing)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDefense(std::make_unique<CombatAttributeDefense_AbsorptionProtection>(
        50.0f, 20.0f, CombatAttributeRegion_Head));
    accumulator.AddDefense(std::make_unique<CombatAttributeDefense_AbsorptionProtection>(
        50.0f, 30.0f, CombatAttributeRegion_Legs));
    accumulator.AddDefense(
        std::make_unique<CombatAttributeDurDefense>(CombatAttributeType_Poison, 40.0f));
    EXPECT_EQ(accumulator.GetDefenses().size(), 3u);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_AbsorptionProtection),
                    50.0f);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Poison), 0.0f);
}

TEST(CombatAttributeAccumulatorDefense, ExecuteDefenseReducesDamageAndIsSpent)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Fire(200.0f));
    accumulator.AddDamage(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Cold, 100.0f));
    accumulator.AddDefense(FireResistance(25.0f));
    accumulator.ExecuteDefense();
    EXPECT_TRUE(accumulator.GetDefenses().empty());
    float absolute = 0.0f;
    float overTime = 0.0f;
    accumulator.GetTotalDamageType(absolute, overTime, CombatAttributeType_Fire);
    EXPECT_FLOAT_EQ(absolute, 150.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 250.0f);
}

TEST(CombatAttributeAccumulatorProcess, ModifiersActOnceThenAreGone)
{
    Character who;
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Fire(100.0f));
    accumulator.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 50.0f));
    accumulator.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Cold, 300.0f));
    accumulator.ProcessDamage(who, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(accumulator.GetDamageModifiers().empty());
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 150.0f);

    accumulator.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 50.0f));
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 150.0f);
}

TEST(CombatAttributeAccumulatorProcess, ScalePercentAndReductions)
{
    Character who;
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Fire(100.0f));
    accumulator.ProcessDamage(who, 100.0f, 7.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 100.0f) << "flat is for physical damage only";
    accumulator.ProcessDamage(who, 50.0f, 0.0f, 10.0f, 5.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 40.0f);
    accumulator.ProcessDamage(who, -10.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 0.0f);
}

TEST(CombatAttributeAccumulatorProcess, DefenseModifiersOnlyReachTheirType)
{
    Character who;
    CombatAttributeAccumulator accumulator;
    accumulator.AddDefense(std::make_unique<CombatAttributeDefense_AbsorptionProtection>(
        40.0f, 100.0f, CombatAttributeRegion_Torso));
    accumulator.AddDefenseModifier(
        std::make_unique<CombatAttributeAbsDefenseMod>(CombatAttributeType_Protection, 20.0f));
    accumulator.AddDefenseModifier(
        std::make_unique<CombatAttributeAbsDefenseMod>(CombatAttributeType_Fire, 90.0f));
    accumulator.ProcessDefense(who, 0.0f, 10.0f, 0.0f, 0.0f);
    EXPECT_TRUE(accumulator.GetDefenseModifiers().empty());
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_AbsorptionProtection),
                    110.0f);
}

TEST(CombatAttributeAccumulatorDamage, ScaleReduceAndFilter)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Fire(80.0f));
    accumulator.AddDamage(
        std::make_unique<CombatAttributeReflexDamage>(CombatAttributeType_Poison, 9.0f));
    accumulator.AddDamage(
        std::make_unique<CombatAttributeDurDamage>(CombatAttributeType_Poison, 20.0f, 3.0f));
    accumulator.ScaleDamage(0.0f);
    accumulator.ScaleDamage(-50.0f);
    accumulator.ScaleDamage(50.0f);
    accumulator.ReduceDamage(25.0f);
    float absolute = 0.0f;
    float overTime = 0.0f;
    accumulator.GetTotalDamage(absolute, overTime);
    EXPECT_FLOAT_EQ(absolute, 30.0f);
    EXPECT_FLOAT_EQ(overTime, 7.5f);

    accumulator.FilterReflectDamage();
    ASSERT_EQ(accumulator.GetDamage().size(), 2u);
    EXPECT_EQ(accumulator.GetDamage()[0]->GetType(), CombatAttributeType_Fire);
    EXPECT_EQ(accumulator.GetDamage()[1]->GetType(), CombatAttributeType_Poison);
    EXPECT_FLOAT_EQ(accumulator.ProcessBluntDamageModifier(2.0f), 0.0f);
}

TEST(CombatAttributeAccumulatorLists, EmptyMeansNoDamage)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDefense(FireResistance(10.0f));
    accumulator.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 5.0f));
    accumulator.AddDamage(nullptr);
    EXPECT_TRUE(accumulator.IsEmpty());
    accumulator.AddDamage(Fire(1.0f));
    EXPECT_FALSE(accumulator.IsEmpty());
    accumulator.Clear();
    EXPECT_TRUE(accumulator.IsEmpty());
    EXPECT_TRUE(accumulator.GetDefenses().empty());
    EXPECT_TRUE(accumulator.GetDamageModifiers().empty());
}

TEST(CombatAttributeAccumulatorCopy, ClonesAttributesAndRestartsFromTheSeed)
{
    CombatAttributeAccumulator source;
    source.SetSeed(99);
    source.SetRegion(CombatAttributeRegion_Arms);
    source.AddDamage(Fire(60.0f));
    source.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 10.0f));
    source.AddDefense(FireResistance(5.0f));
    source.AddDefenseModifier(
        std::make_unique<CombatAttributeAbsDefenseMod>(CombatAttributeType_Fire, 10.0f));
    const int firstRoll = source.GetRandomGen().IGenerate(0, 100);

    CombatAttributeAccumulator copy;
    copy = source;
    EXPECT_EQ(copy.GetSeed(), 99u);
    EXPECT_EQ(copy.GetRegion(), CombatAttributeRegion_Arms);
    EXPECT_EQ(copy.GetRandomGen().IGenerate(0, 100), firstRoll);
    ASSERT_EQ(copy.GetDamage().size(), 1u);
    EXPECT_NE(copy.GetDamage()[0].get(), source.GetDamage()[0].get());
    EXPECT_EQ(copy.GetDamageModifiers().size(), 1u);
    EXPECT_EQ(copy.GetDefenses().size(), 1u);
    EXPECT_EQ(copy.GetDefenseModifiers().size(), 1u);

    source.ScaleDamage(50.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(copy), 60.0f);
    const CombatAttributeAccumulator constructed(copy);
    EXPECT_EQ(constructed.GetDamage().size(), 1u);
    EXPECT_EQ(constructed.GetSeed(), 99u);
}

} // namespace
} // namespace GAME
