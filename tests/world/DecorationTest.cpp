#include "world/Decoration.h"

#include <gtest/gtest.h>

namespace GAME::Test {

namespace {

TEST(Decoration, FadeFollowsTheFlagAndStaysWithinHalf)
{
    Decoration decoration;
    decoration.SetInvisible();
    decoration.UpdateSelf(300);
    EXPECT_FLOAT_EQ(decoration.GetFadeAmount(), 0.3f);
    decoration.UpdateSelf(1000000);
    EXPECT_FLOAT_EQ(decoration.GetFadeAmount(), 0.5f);
    decoration.SetVisible();
    decoration.UpdateSelf(200);
    EXPECT_FLOAT_EQ(decoration.GetFadeAmount(), 0.3f);
    decoration.UpdateSelf(1000000);
    EXPECT_FLOAT_EQ(decoration.GetFadeAmount(), 0.0f);
}

} // namespace

} // namespace GAME::Test
