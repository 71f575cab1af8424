#include "combat/CombatAttributeAbsDamage_ManaBurn.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/DamageAttributeAbs_ManaBurn.h"
#include "combat/DamageAttribute_BasePhysical.h"
#include "combat/DamageAttribute_Physical.h"
#include "items/CostInfo_DamageAttributes.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME {
namespace {

using Test::Calls;
using Test::IntCalls;
using Test::Lines;
using Test::Record;

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
    EXPECT_EQ(info.count, 0);
}

TEST_F(DamageAttributePhysicalTest, WeaponDamageRollsNoChanceAndIsScaledButNeverJittered)
{
    auto* base = Load<DamageAttribute_BasePhysical>("offensivePhysicalMin = 4\n"
                                                    "offensivePhysicalMax = 6\n"
                                                    "offensivePierceRatioMin = 10\n"
                                                    "offensivePhysicalChance = 50\n");
    ASSERT_NE(base, nullptr);
    accumulator.SetSeed(12);
    const uint32_t chanceState = accumulator.GetRandomGen().GetState();
    random.floats = {5.5f};
    base->AddDamageToAccumulator(accumulator, 0, random, false);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), chanceState);
    EXPECT_EQ(random.floatCalls, (Calls{{4.0f, 6.0f}}));
    EXPECT_EQ(OnlyPhysical().GetPhysical(), 5.5f);
    EXPECT_EQ(OnlyPhysical().GetPierceRatio(), 10.0f);

    Lines first, second, third;
    base->CreateText(first, second, third, 1);
    EXPECT_EQ(first,
              (Lines{L"DamageRangeFormat 4 6DamageBasePhysical", L"DamageBasePierceRatio 10"}));
    CostInfo_DamageAttributes info;
    base->GetCostInfo(info);
    EXPECT_EQ(info.avgBase, 5.0f);
    EXPECT_EQ(info.avgPierceRatio, 10.0f);
    EXPECT_EQ(info.count, 1);

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
    auto* physical = Load<DamageAttribute_Physical>("offensivePhysicalMin = 3.5;1\n"
                                                    "offensivePhysicalMax = 7.2;1e30\n"
                                                    "offensivePierceRatio = 0\n");
    ASSERT_NE(physical, nullptr);
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
    auto* physical = Load<DamageAttribute_Physical>("offensivePhysicalMin = 10\n"
                                                    "offensivePhysicalMax = 20\n"
                                                    "offensivePierceRatio = 30\n");
    ASSERT_NE(physical, nullptr);
    random.ints = {1, -1, 2};
    physical->AddJitter(10.0f, &random);
    EXPECT_EQ(random.intCalls, (IntCalls{{-1, 1}, {-1, 1}, {-2, 2}}));
    EXPECT_EQ(physical->GetValueMin(1), 11.0f);
    EXPECT_EQ(physical->GetValueMax(1), 20.0f);
    EXPECT_EQ(physical->GetPierceRatio(1), 32.0f);
}

TEST_F(DamageAttributePhysicalTest, PierceRatioLineOnlyWhenItRises)
{
    auto* physical = Load<DamageAttribute_Physical>("offensivePhysicalChance = 20\n"
                                                    "offensivePhysicalMin = 4;5;6\n"
                                                    "offensivePierceRatio = 10;15;12\n");
    ASSERT_NE(physical, nullptr);
    Lines first, second, third;
    physical->CreateText(first, second, third, 1);
    physical->CreateNextText(first, second, third, 1, 2);
    physical->CreateNextText(first, second, third, 2, 3);
    physical->CreateNextText(first, second, third, 3, 4);
    EXPECT_EQ(
        second,
        (Lines{L"ChanceOfTag 20DamageSingleFormat 4DamageBasePhysical", L"DamageBasePierceRatio 10",
               L"ChanceOfTag 20DamageSingleFormat 5DamageBasePhysical", L"DamageBasePierceRatio 15",
               L"ChanceOfTag 20DamageSingleFormat 6DamageBasePhysical"}));
    EXPECT_TRUE(first.empty() && third.empty());

    CostInfo_DamageAttributes info;
    physical->GetCostInfo(info);
    // (4 + 4) / 2 at a chance of 20 percent.
    EXPECT_FLOAT_EQ(info.avgBonus, 0.8f);
    EXPECT_EQ(info.avgPierceRatio, 10.0f);
    EXPECT_EQ(info.count, 1);
}

TEST_F(DamageAttributePhysicalTest, ManaBurnCarriesItsRatioIntoAttackAndText)
{
    auto* burn = Load<DamageAttributeAbs_ManaBurn>("offensiveManaBurnDrainMin = 0;5\n"
                                                   "offensiveManaBurnDamageRatio = 20;20;25\n");
    ASSERT_NE(burn, nullptr);
    std::wstring line;
    burn->GetText(line, 1);
    EXPECT_EQ(line, L"DamageManaBurnRatio 20");
    line.clear();
    burn->GetText(line, 2);
    EXPECT_EQ(line, L"DamageSingleFormat 5DamageManaDrainDamageManaBurnRatio 20");
    line.clear();
    burn->GetNextText(line, 2, 3);
    EXPECT_EQ(line, L"DamageManaBurnRatio 25");
    Lines first, second, third;
    burn->CreateNextText(first, second, third, 1, 2);
    EXPECT_EQ(third, (Lines{L"DamageSingleFormat 5DamageManaDrain"}));

    burn->AddDamageToAccumulator(accumulator, 3, random, false);
    ASSERT_EQ(accumulator.GetDamage().size(), 1u);
    const auto& drain =
        dynamic_cast<const CombatAttributeAbsDamage_ManaBurn&>(*accumulator.GetDamage()[0]);
    EXPECT_EQ(drain.GetType(), CombatAttributeType_ManaBurn);
    EXPECT_EQ(drain.GetValue(), 5.0f);
    EXPECT_EQ(drain.GetRatio(), 25.0f);

    // Jitter and scaling leave the ratio alone.
    burn->AddJitter(50.0f, &random);
    burn->ScaleAttribute(50.0f);
    EXPECT_EQ(burn->GetDamageRatio(3), 25.0f);
}

} // namespace
} // namespace GAME
