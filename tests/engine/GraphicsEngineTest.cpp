#include "engine/GraphicsEngine.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

class GraphicsEngineTest : public ::testing::Test {
protected:
    void TearDown() override { graphics.Reset(); }
    GraphicsEngine& graphics = GraphicsEngine::Instance();
};

TEST_F(GraphicsEngineTest, LoadsOfOneNameShareOneCountedAnimation)
{
    graphics.DescribeAnimation("Anims/Swing.anm", {12, 24, 2.5f});
    GraphicsAnim* first = graphics.LoadAnimation("Anims/Swing.anm");
    GraphicsAnim* second = graphics.LoadAnimation("Anims/Swing.anm");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->GetLength(), 12);
    EXPECT_EQ(first->GetFrameRate(), 24);
    EXPECT_EQ(first->GetSpeed(), 2.5f);
    EXPECT_EQ(graphics.GetLoadCount("Anims/Swing.anm"), 2);

    graphics.UnloadAnimation(first);
    EXPECT_EQ(graphics.GetLoadCount("Anims/Swing.anm"), 1);
    graphics.UnloadAnimation(second);
    EXPECT_EQ(graphics.GetLoadCount("Anims/Swing.anm"), 0);
    EXPECT_EQ(graphics.GetLoadedAnimationCount(), 0u);
}

TEST_F(GraphicsEngineTest, EmptyAndMissingNamesDoNotLoadAndTheDefaultIsNeverFreed)
{
    graphics.DeclareMissing("Anims/Gone.anm");
    EXPECT_EQ(graphics.LoadAnimation(""), nullptr);
    EXPECT_EQ(graphics.LoadAnimation("Anims/Gone.anm"), nullptr);

    GraphicsAnim* fallback = graphics.GetDefaultAnimation();
    graphics.UnloadAnimation(fallback);
    graphics.UnloadAnimation(nullptr);
    EXPECT_EQ(graphics.GetDefaultAnimation(), fallback);
    EXPECT_EQ(graphics.GetLoadedAnimationCount(), 0u);
}

} // namespace
} // namespace GAME
