#include "characters/AnimationSelected.h"

#include "engine/Name.h"
#include "tests/support/AnimationFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using AnimationSelectedTest = AnimationFixture;

TEST_F(AnimationSelectedTest, PlaysTheAnimationOfTheReferenceItIsGiven)
{
    AnimationSelected special;
    special.AddAnimation("Anims/Leap.anm", 1.0f, 0.0f, "Leap");
    special.AddAnimation("Anims/Roar.anm", 1.0f, 0.0f, "Roar");
    EXPECT_TRUE(special.PlayAnimation(actor, Name::Create("Roar"), 1.0f, false, 0));
    EXPECT_EQ(Playing()->GetName(), "Anims/Roar.anm");
    EXPECT_EQ(special.GetCurrentAnimation(), Playing());

    // An unknown reference plays nothing and leaves nothing to act on.
    EXPECT_FALSE(special.PlayAnimation(actor, Name::Create("leap"), 1.0f, false, 0));
    EXPECT_EQ(special.GetCurrentAnimation(), nullptr);
    EXPECT_EQ(special.GetLength(), 0);
    EXPECT_FALSE(special.SetLastPose(actor));
}

TEST_F(AnimationSelectedTest, AnEmptyReferenceIsRefusedAndARepeatedOneKeepsItsFirstAnimation)
{
    AnimationSelected special;
    special.AddAnimation("", 1.0f, 0.0f, "");
    EXPECT_EQ(log.Count(1, "AnimationSelected: Invalid reference () name for animation ()"), 0u);
    special.AddAnimation("Anims/Leap.anm", 1.0f, 0.0f, "");
    EXPECT_TRUE(special.IsEmpty());
    EXPECT_EQ(log.Count(1, "AnimationSelected: Invalid reference () name for animation "
                           "(Anims/Leap.anm)"),
              1u);
    EXPECT_EQ(graphics.GetLoadCount("Anims/Leap.anm"), 0);

    special.AddAnimation("Anims/Leap.anm", 1.0f, 0.0f, "Leap");
    special.AddAnimation("Anims/Other.anm", 1.0f, 0.0f, "Leap");
    EXPECT_EQ(graphics.GetLoadCount("Anims/Other.anm"), 0);
    special.PlayAnimation(actor, Name::Create("Leap"), 1.0f, false, 0);
    EXPECT_EQ(Playing()->GetName(), "Anims/Leap.anm");
}

} // namespace
} // namespace GAME::Test
