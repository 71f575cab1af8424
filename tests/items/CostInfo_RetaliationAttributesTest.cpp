#include "items/CostInfo_RetaliationAttributes.h"

#include "combat/RetaliationAttributeStore_Equipment.h"
#include "tests/items/CostInfoTestHelpers.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

TEST_F(CostInfoDump, RetaliationThroughTheDamageSummaryLeavesOutTheBaseLine)
{
    RetaliationAttributeStore_Equipment store;
    store.Load(
        GAME::Test::Record("retaliationFireMin = 10\nretaliationFireMax = 20\n"
                           "retaliationColdModifier = 15\nretaliationColdModifierChance = 50\n"),
        nullptr, nullptr, false);
    CostInfo_RetaliationAttributes info;
    store.GetCostInfo(info);
    info.avgBase = 3.0f;

    const CostInfo_DamageAttributes& asDamage = info;
    EXPECT_EQ(Dumped(asDamage), (Lines{{0, "Retaliation Cost Attributes"},
                                       {0, "   avgBonus        = 15.000000"},
                                       {0, "   mod             = 7.500000"},
                                       {0, "   count           = 2"}}));
    EXPECT_EQ(info.GetTotalCount(), 2);

    info.Reset();
    EXPECT_EQ(Dumped(info), (Lines{{0, "Retaliation Cost Attributes"}}));
}

} // namespace
} // namespace GAME::Test
