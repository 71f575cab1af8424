#include "engine/Name.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

// Names travel between machines: the words of a text are fixed for good.
TEST(Name, EqualTextGivesEqualNamesWithFixedWords)
{
    const Name end = Name::Create("End");
    EXPECT_EQ(end, Name::Create(std::string("End")));
    EXPECT_NE(end, Name::Create("end"));
    EXPECT_NE(end, Name::Create("End "));
    EXPECT_EQ(end.GetString(), "End");
    EXPECT_EQ(Name::Create(""), Name::noName);
    EXPECT_EQ(Name::Create(nullptr), Name::noName);
    EXPECT_EQ(Name::FromWords(1, 2, 3, 4).GetString(), "");
    EXPECT_EQ(end.GetWord(4), 0u);
    EXPECT_EQ(end.GetWord(-1), 0u);

    EXPECT_EQ(end.GetWord(0), 0x6742234eu);
    EXPECT_EQ(end.GetWord(1), 0xf420aca0u);
    EXPECT_EQ(end.GetWord(2), 0xa3401ba0u);
    EXPECT_EQ(end.GetWord(3), 0x0ff97ab1u);
    EXPECT_EQ(Name::FromWords(0x6742234eu, 0xf420aca0u, 0xa3401ba0u, 0x0ff97ab1u), end);
}

} // namespace
} // namespace GAME::Test
