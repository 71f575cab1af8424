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

std::unique_ptr<CombatAttribute> Damage(CombatAttributeType type, float value)
{
    return std::make_unique<CombatAttributeAbsDamage>(type, value);
}

std::unique_ptr<CombatAttribute> Resistance(CombatAttributeType type, float value)
{
    return std::make_unique<CombatAttributeAbsDefense>(type, value);
}

std::unique_ptr<CombatAttribute> Armour(float protection, CombatAttributeRegion region)
{
    return std::make_unique<CombatAttributeDefense_AbsorptionProtection>(50.0f, protection, region);
}

float AbsoluteTotal(CombatAttributeAccumulator& accumulator)
{
    float absolute = 0.0f;
    float overTime = 0.0f;
    accumulator.GetTotalDamage(absolute, overTime);
    return absolute;
}

TEST(CombatAttributeAccumulatorChance, ZeroSkipsTheDrawOthersRollOnTheAttackSequence)
{
    CombatAttributeAccumulator accumulator;
    accumulator.SetSeed(1234);
    RandomUniform reference;
    reference.Seed(1234);
    EXPECT_TRUE(accumulator.EvaluateChance(0.0f));
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), reference.GetState());

    const int roll = reference.IGenerate(0, 100);
    EXPECT_TRUE(accumulator.EvaluateChance(static_cast<float>(roll)));
    EXPECT_TRUE(accumulator.EvaluateChance(100.0f));
    reference.IGenerate(0, 100);
    const int third = reference.IGenerate(0, 100);
    EXPECT_FALSE(accumulator.EvaluateChance(static_cast<float>(third) - 0.5f));
    EXPECT_FALSE(accumulator.EvaluateChance(-5.0f));
    reference.IGenerate(0, 100);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), reference.GetState()) << "-5 still draws";
}

TEST(CombatAttributeAccumulatorDefense, ResistancesOfOneTypeMergeArmourPiecesStayApartNoneIsDamage)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDefense(Resistance(CombatAttributeType_Fire, 10.0f));
    accumulator.AddDefense(Resistance(CombatAttributeType_Cold, 5.0f));
    accumulator.AddDefense(Resistance(CombatAttributeType_Fire, 15.0f));
    accumulator.AddDefense(nullptr);
    accumulator.AddDamage(nullptr);
    EXPECT_TRUE(accumulator.IsEmpty()) << "defenses are no damage";
    accumulator.AddDefense(Armour(20.0f, CombatAttributeRegion_Head));
    accumulator.AddDefense(Armour(30.0f, CombatAttributeRegion_Legs));
    accumulator.AddDefense(
        std::make_unique<CombatAttributeDurDefense>(CombatAttributeType_Poison, 40.0f));
    EXPECT_EQ(accumulator.GetDefenses().size(), 5u);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Fire), 25.0f);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Cold), 5.0f);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_AbsorptionProtection),
                    50.0f);
    // Resistance over time counts nothing towards the total.
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Poison), 0.0f);
}

TEST(CombatAttributeAccumulatorDefense, ExecuteDefenseReducesDamageAndIsSpent)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Damage(CombatAttributeType_Fire, 200.0f));
    accumulator.AddDamage(Damage(CombatAttributeType_Cold, 100.0f));
    accumulator.AddDefense(Resistance(CombatAttributeType_Fire, 25.0f));
    EXPECT_FALSE(accumulator.IsEmpty());
    accumulator.ExecuteDefense();
    EXPECT_TRUE(accumulator.GetDefenses().empty());
    float absolute = 0.0f;
    float overTime = 0.0f;
    accumulator.GetTotalDamageType(absolute, overTime, CombatAttributeType_Fire);
    EXPECT_FLOAT_EQ(absolute, 150.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 250.0f);
}

TEST(CombatAttributeAccumulatorProcess, ModifierActsOnceScaleZeroIsNoneAndFlatIsNotForElements)
{
    Character who;
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Damage(CombatAttributeType_Fire, 10.0f));
    accumulator.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 50.0f));
    accumulator.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Cold, 300.0f));
    accumulator.ProcessDamage(who, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(accumulator.GetDamageModifiers().empty());
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 15.0f);
    accumulator.ProcessDamage(who, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 15.0f) << "the modifier was reset";
    accumulator.ProcessDamage(who, 200.0f, 7.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 30.0f);
    accumulator.ProcessDamage(who, 50.0f, 0.0f, 10.0f, 5.0f);
    EXPECT_FLOAT_EQ(AbsoluteTotal(accumulator), 8.5f);
    accumulator.ProcessDamage(who, -50.0f, 0.0f, 0.0f, 0.0f);
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

TEST(CombatAttributeAccumulatorDamage, ScaleReduceAndFilterKeepingOrder)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Damage(CombatAttributeType_Fire, 80.0f));
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

TEST(CombatAttributeAccumulatorCopy, ClonesEveryListReplacesTheTargetAndSurvivesItself)
{
    CombatAttributeAccumulator source;
    source.SetSeed(99);
    source.SetRegion(CombatAttributeRegion_Arms);
    source.AddDamage(Damage(CombatAttributeType_Fire, 60.0f));
    source.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 10.0f));
    source.AddDefense(Resistance(CombatAttributeType_Fire, 5.0f));
    source.AddDefenseModifier(
        std::make_unique<CombatAttributeAbsDefenseMod>(CombatAttributeType_Fire, 10.0f));
    const int firstRoll = source.GetRandomGen().IGenerate(0, 100);

    CombatAttributeAccumulator copy;
    copy.AddDamage(Damage(CombatAttributeType_Cold, 1.0f));
    copy = source;
    const CombatAttributeAccumulator& alias = copy;
    copy = alias;
    EXPECT_EQ(copy.GetSeed(), 99u);
    EXPECT_EQ(copy.GetRegion(), CombatAttributeRegion_Arms);
    EXPECT_EQ(copy.GetRandomGen().IGenerate(0, 100), firstRoll);
    ASSERT_EQ(copy.GetDamage().size(), 1u);
    EXPECT_EQ(copy.GetDamage()[0]->GetType(), CombatAttributeType_Fire);
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
