#include "characters/AnimationHandle.h"

#include "engine/Name.h"
#include "tests/support/AnimationFixture.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace GAME::Test {
namespace {

class AnimationHandleTest : public AnimationFixture {
protected:
    void SetUp() override
    {
        AnimationFixture::SetUp();
        graphics.DescribeAnimation("Anims/Swing.anm", {12, 24, 3.0f});
        handle = AnimationHandle(graphics.LoadAnimation("Anims/Swing.anm"), 1.5f, 0.0f);
    }
    void TearDown() override
    {
        graphics.UnloadAnimation(handle.animation);
        AnimationFixture::TearDown();
    }

    AnimationHandle handle;
};

TEST_F(AnimationHandleTest, PlaysOnTheBodyChannelWithScaledSpeedAndWholeBlendMilliseconds)
{
    handle.blendTime = 99.9f;
    ASSERT_TRUE(handle.Play(actor, 2.0f, false, 0));
    const AnimationChannel* body = actor.GetAnimationChannel(0);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->animation, handle.animation);
    EXPECT_FALSE(body->keepPlaying);
    EXPECT_EQ(body->speed, 3.0f);
    EXPECT_EQ(body->blendTimeMs, 99);

    // Repeats or a loop keep it playing; a blend time no clock could hold saturates.
    handle.blendTime = 1e20f;
    handle.Play(actor, 1.0f, false, 2);
    EXPECT_TRUE(body->keepPlaying);
    EXPECT_EQ(body->blendTimeMs, INT32_MAX);
    handle.Play(actor, 1.0f, true, 0);
    EXPECT_TRUE(body->keepPlaying);

    handle.Adjust(actor, 2.0f);
    EXPECT_EQ(body->speedMultiplier, 3.0f);
}

TEST_F(AnimationHandleTest, WithoutAnAnimationNothingPlaysButLoopAndCountAreKept)
{
    AnimationHandle empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(empty.Play(actor, 1.0f, false, 2));
    EXPECT_EQ(actor.GetAnimationChannel(0), nullptr);
    EXPECT_EQ(empty.repeatCount, 2);
    EXPECT_EQ(empty.GetLength(), 0);
    EXPECT_EQ(empty.GetFrameRate(), 0);
    EXPECT_EQ(empty.GetAnimSpeed(), 0.0f);
    EXPECT_FALSE(empty.SetLastPose(actor));
}

TEST_F(AnimationHandleTest, RepeatTwoAnswersTheFirstEndTrueAndTheSecondFalse)
{
    const Name end = Name::Create("End");
    handle.Play(actor, 1.0f, false, 2);
    EXPECT_FALSE(handle.HandleAnimationCallback(Name::Create("Hit")));
    EXPECT_TRUE(handle.HandleAnimationCallback(end));
    EXPECT_FALSE(handle.HandleAnimationCallback(end));
    EXPECT_FALSE(handle.HandleAnimationCallback(end));

    // A looping handle never counts its ends.
    handle.Play(actor, 1.0f, true, 2);
    EXPECT_FALSE(handle.HandleAnimationCallback(end));
    EXPECT_EQ(handle.repeatCount, 2);
}

TEST_F(AnimationHandleTest, PosesAndSpeedComeFromTheAnimation)
{
    EXPECT_TRUE(handle.SetLastPose(actor));
    EXPECT_EQ(actor.GetPose().animation, handle.animation);
    EXPECT_EQ(actor.GetPose().frame, 11);
    EXPECT_FALSE(handle.SetPose(actor, 12));
    EXPECT_EQ(actor.GetPose().frame, 11);

    EXPECT_EQ(handle.GetAnimSpeed(), 2.0f);
    EXPECT_EQ(handle.GetLength(), 12);
    EXPECT_EQ(handle.GetFrameRate(), 24);

    handle.PreLoad(false);
    const auto& requests = ResourceLoader::Instance().GetRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].name, "Anims/Swing.anm");
    EXPECT_FALSE(requests[0].flag);
}

} // namespace
} // namespace GAME::Test
