#include "core/UniqueId.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

TEST(UniqueId, FreshAndGeneratedIds)
{
    UniqueId a;
    UniqueId b;
    EXPECT_TRUE(a.IsZero());
    EXPECT_TRUE(a == b);

    a.Generate();
    b.Generate();
    EXPECT_FALSE(a.IsZero());
    EXPECT_NE(a, b);
}

TEST(UniqueId, PartsRoundTripOutOfRangeIsIgnoredAndOrderIsByUnsignedWord)
{
    const UniqueId expected(0xDEADBEEFu, 0u, 0xFFFFFFFFu, 0x80000000u);
    UniqueId id;
    for (int i = 0; i < 4; ++i)
        id.SetPart(i, expected.GetPart(i));
    EXPECT_EQ(id, expected);
    EXPECT_EQ(id.GetPart(2), 0xFFFFFFFFu);

    EXPECT_EQ(id.GetPart(-1), 0u);
    EXPECT_EQ(id.GetPart(4), 0u);
    id.SetPart(-1, 7);
    id.SetPart(4, 7);
    EXPECT_EQ(id, expected);

    EXPECT_TRUE(UniqueId(1, 9, 9, 9) < UniqueId(2, 0, 0, 0));
    EXPECT_TRUE(UniqueId(1, 1, 1, 1) < UniqueId(1, 1, 1, 2));
    EXPECT_FALSE(UniqueId(1, 2, 3, 4) < UniqueId(1, 2, 3, 4));
    EXPECT_TRUE(UniqueId(0x7FFFFFFFu, 0, 0, 0) < UniqueId(0x80000000u, 0, 0, 0));
}

} // namespace
} // namespace GAME
