#include "core/Saturate.h"

#include <gtest/gtest.h>

#include <limits>

namespace GAME {
namespace {

TEST(Saturate, TruncatesTowardZeroAndHoldsAtTheLimits)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(SaturateToInt(12.9), 12);
    EXPECT_EQ(SaturateToInt(-12.9), -12);
    EXPECT_EQ(SaturateToInt(3e9), INT32_MAX);
    EXPECT_EQ(SaturateToInt(-inf), INT32_MIN);
    EXPECT_EQ(SaturateToInt(nan), 0);
    EXPECT_EQ(SaturateToUInt(4294967295.5), UINT32_MAX);
    EXPECT_EQ(SaturateToUInt(-1.0), 0u);
    EXPECT_EQ(SaturateToUInt(nan), 0u);
    EXPECT_EQ(SaturateToUInt(7.99f), 7u);
}

} // namespace
} // namespace GAME
