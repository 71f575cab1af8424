#include "items/CostInfo_SkillAttributes.h"

#include "tests/items/CostInfoTestHelpers.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

TEST_F(CostInfoDump, SkillCountsOnlyItsBonuses)
{
    CostInfo_SkillAttributes info;
    info.base = 2.5f;
    info.modifier = -10.0f;
    info.bonusCount = 3;
    EXPECT_EQ(Dumped(info), (Lines{{0, "Skill Cost Attributes"},
                                   {0, "   base        = 2.500000"},
                                   {0, "   modifier    = -10.000000"},
                                   {0, "   bonusCount  = 3"}}));
    EXPECT_EQ(info.GetTotalCount(), 3);

    info.Reset();
    EXPECT_EQ(Dumped(info), (Lines{{0, "Skill Cost Attributes"}}));
    info.bonus = 0.25f;
    EXPECT_EQ(Dumped(info),
              (Lines{{0, "Skill Cost Attributes"}, {0, "   bonus       = 0.250000"}}));
    EXPECT_EQ(info.GetTotalCount(), 0);
}

} // namespace
} // namespace GAME::Test
