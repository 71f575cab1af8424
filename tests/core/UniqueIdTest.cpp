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
    EXPECT_FALSE(a != b);

    a.Generate();
    b.Generate();
    EXPECT_FALSE(a.IsZero());
    EXPECT_NE(a, b);
    EXPECT_NE(a, UniqueId());
}

TEST(UniqueId, PartsReadAndWriteOneWordEach)
{
    UniqueId id(1, 2, 3, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(id.GetPart(i), static_cast<uint32_t>(i + 1));

    const uint32_t words[4] = {0xDEADBEEFu, 0u, 0xFFFFFFFFu, 0x80000000u};
    for (int i = 0; i < 4; ++i)
        id.SetPart(i, words[i]);
    EXPECT_EQ(id, UniqueId(0xDEADBEEFu, 0u, 0xFFFFFFFFu, 0x80000000u));

    // Out of range reads 0 and writes nothing.
    EXPECT_EQ(id.GetPart(-1), 0u);
    EXPECT_EQ(id.GetPart(4), 0u);
    id.SetPart(-1, 7);
    id.SetPart(4, 7);
    EXPECT_EQ(id, UniqueId(0xDEADBEEFu, 0u, 0xFFFFFFFFu, 0x80000000u));

    UniqueId single;
    single.SetPart(3, 1);
    EXPECT_FALSE(single.IsZero());
}

TEST(UniqueId, OrderIsByWordFromTheFirst)
{
    EXPECT_TRUE(UniqueId(1, 9, 9, 9) < UniqueId(2, 0, 0, 0));
    EXPECT_FALSE(UniqueId(2, 0, 0, 0) < UniqueId(1, 9, 9, 9));
    EXPECT_TRUE(UniqueId(1, 1, 1, 1) < UniqueId(1, 1, 1, 2));
    EXPECT_TRUE(UniqueId(5, 0, 0, 0) < UniqueId(5, 1, 0, 0));
    EXPECT_FALSE(UniqueId(1, 2, 3, 4) < UniqueId(1, 2, 3, 4));
    // Unsigned: the top bit sorts high.
    EXPECT_TRUE(UniqueId(0x7FFFFFFFu, 0, 0, 0) < UniqueId(0x80000000u, 0, 0, 0));
}

} // namespace
} // namespace GAME
