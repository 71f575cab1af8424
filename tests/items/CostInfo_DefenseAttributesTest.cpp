#include "items/CostInfo_DefenseAttributes.h"

#include "tests/items/CostInfoTestHelpers.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

TEST_F(CostInfoDump, Defense)
{
    CostInfo_DefenseAttributes info;
    info.armor = 120.0f;
    info.base = 12.0f;
    info.baseDuration = 1.5f;
    info.mod = -3.0f;
    info.modDuration = 4.0f;
    info.count = 5;
    EXPECT_EQ(Dumped(info), (Lines{{0, "Defense Cost Attributes"},
                                   {0, "   armor           = 120.000000"},
                                   {0, "   base            = 12.000000"},
                                   {0, "   baseDuration    = 1.500000"},
                                   {0, "   mod             = -3.000000"},
                                   {0, "   modDuration     = 4.000000"},
                                   {0, "   count           = 5"}}));
    EXPECT_EQ(info.GetTotalCount(), 5);

    info.Reset();
    EXPECT_EQ(Dumped(info), (Lines{{0, "Defense Cost Attributes"}}));
    EXPECT_EQ(info.GetTotalCount(), 0);
}

} // namespace
} // namespace GAME::Test
