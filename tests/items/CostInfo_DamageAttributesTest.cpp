#include "items/CostInfo_DamageAttributes.h"

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

using Lines = std::vector<GAME::Test::LogCapture::Line>;

TEST(CostInfo_DamageAttributes, DumpsOnlyTheFiguresThatAreNotZero)
{
    GAME::Test::LogCapture log;
    CostInfo_DamageAttributes info;
    info.Dump();
    EXPECT_EQ(log.GetLines(), (Lines{{0, "Damage Cost Attributes"}}));

    log.Clear();
    info.avgPierceRatio = 10.0f;
    info.avgOverTime = 1.5f;
    info.modDur = -2.0f;
    info.count = 2;
    info.Dump();
    EXPECT_EQ(log.GetLines(), (Lines{{0, "Damage Cost Attributes"},
                                     {0, "   avgBase (0.000000)  avgPierceRatio (10.000000)"},
                                     {0, "   avgOverTime     = 1.500000"},
                                     {0, "   modDur          = -2.000000"},
                                     {0, "   count           = 2"}}));
    EXPECT_EQ(info.GetTotalCount(), 2);

    info.Reset();
    EXPECT_EQ(info.avgPierceRatio, 0.0f);
    EXPECT_EQ(info.GetTotalCount(), 0);
}

} // namespace
} // namespace GAME
