#include "items/CostInfo_DefenseAttributes.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

using Lines = std::vector<GAME::Test::LogCapture::Line>;

TEST(CostInfo_DefenseAttributes, DumpsTheHeadingAndOnlyTheFieldsThatAreSet)
{
    GAME::Test::LogCapture log;
    CostInfo_DefenseAttributes info;
    info.Dump();
    EXPECT_EQ(log.GetLines(), (Lines{{0, "Defense Cost Attributes"}}));

    info.armor = 120.0f;
    info.base = 12.0f;
    info.baseDuration = 1.5f;
    info.mod = -3.0f;
    info.modDuration = 4.0f;
    info.count = 5;
    EXPECT_EQ(info.GetTotalCount(), 5);
    log.Clear();
    info.Dump();
    EXPECT_EQ(log.GetLines(), (Lines{{0, "Defense Cost Attributes"},
                                     {0, "   armor           = 120.000000"},
                                     {0, "   base            = 12.000000"},
                                     {0, "   baseDuration    = 1.500000"},
                                     {0, "   mod             = -3.000000"},
                                     {0, "   modDuration     = 4.000000"},
                                     {0, "   count           = 5"}}));

    info.Reset();
    EXPECT_EQ(info.GetTotalCount(), 0);
    EXPECT_EQ(info.armor, 0.0f);
    EXPECT_EQ(info.modDuration, 0.0f);
    log.Clear();
    info.Dump();
    EXPECT_EQ(log.GetLines().size(), 1u);
}

} // namespace
} // namespace GAME
