#include "characters/AnimationEntry.h"

#include "engine/Name.h"
#include "tests/support/AnimationFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using AnimationEntryTest = AnimationFixture;

TEST_F(AnimationEntryTest, AnotherAnimationReplacesTheFirstAndTheBlendTimeStays)
{
    AnimationEntry entry;
    EXPECT_TRUE(entry.IsEmpty());
    entry.SetAnimationBlendTime(0.0f);
    entry.AddAnimation("Anims/Rise.anm", 1.0f, 0.0f, "");
    entry.AddAnimation("Anims/Rise2.anm", 2.0f, 0.0f, "");
    EXPECT_EQ(graphics.GetLoadCount("Anims/Rise.anm"), 0);

    // Neither an empty name nor one that does not load takes the place of what is held.
    graphics.DeclareMissing("Anims/Gone.anm");
    entry.AddAnimation("", 1.0f, 0.0f, "");
    entry.AddAnimation("Anims/Gone.anm", 1.0f, 0.0f, "");

    ASSERT_TRUE(entry.PlayAnimation(actor, Name::noName, 1.5f, false, 0));
    EXPECT_EQ(Playing()->GetName(), "Anims/Rise2.anm");
    EXPECT_EQ(actor.GetAnimationChannel(0)->speed, 3.0f);
    EXPECT_EQ(actor.GetAnimationChannel(0)->blendTimeMs, 0);
    EXPECT_EQ(entry.GetAnimationBlendTime(), 0.0f);
    EXPECT_TRUE(log.GetLines().empty());
}

} // namespace
} // namespace GAME::Test
