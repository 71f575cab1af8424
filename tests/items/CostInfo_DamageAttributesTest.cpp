#include "items/CostInfo_DamageAttributes.h"

#include "tests/items/CostInfoTestHelpers.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

TEST_F(CostInfoDump, Damage)
{
    CostInfo_DamageAttributes info;
    info.avgPierceRatio = 10.0f;
    info.avgOverTime = 1.5f;
    info.modDur = -2.0f;
    info.count = 2;
    EXPECT_EQ(Dumped(info), (Lines{{0, "Damage Cost Attributes"},
                                   {0, "   avgBase (0.000000)  avgPierceRatio (10.000000)"},
                                   {0, "   avgOverTime     = 1.500000"},
                                   {0, "   modDur          = -2.000000"},
                                   {0, "   count           = 2"}}));
    EXPECT_EQ(info.GetTotalCount(), 2);

    info.Reset();
    EXPECT_EQ(Dumped(info), (Lines{{0, "Damage Cost Attributes"}}));
    EXPECT_EQ(info.GetTotalCount(), 0);
}

} // namespace
} // namespace GAME::Test
