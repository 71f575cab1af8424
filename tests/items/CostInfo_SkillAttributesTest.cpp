#include "items/CostInfo_SkillAttributes.h"

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

using Lines = std::vector<GAME::Test::LogCapture::Line>;

TEST(CostInfo_SkillAttributes, DumpsOnlyTheFieldsThatAreNotZero)
{
    GAME::Test::LogCapture log;
    CostInfo_SkillAttributes info;
    info.Dump();
    EXPECT_EQ(log.GetLines(), (Lines{{0, "Skill Cost Attributes"}}));

    log.Clear();
    info.base = 2.5f;
    info.modifier = -10.0f;
    info.bonusCount = 3;
    info.Dump();
    EXPECT_EQ(log.GetLines(), (Lines{{0, "Skill Cost Attributes"},
                                     {0, "   base        = 2.500000"},
                                     {0, "   modifier    = -10.000000"},
                                     {0, "   bonusCount  = 3"}}));
    EXPECT_EQ(info.GetTotalCount(), 3);

    log.Clear();
    info.Reset();
    info.bonus = 0.25f;
    info.Dump();
    EXPECT_EQ(log.GetLines(),
              (Lines{{0, "Skill Cost Attributes"}, {0, "   bonus       = 0.250000"}}));
    EXPECT_EQ(info.GetTotalCount(), 0);
}

} // namespace
} // namespace GAME
