#include "engine/Actor.h"

#include "engine/GraphicsAnim.h"
#include "engine/Name.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME {
namespace {

// 30 frames at 30 a second: one second long.
class ActorAnimationTest : public ::testing::Test {
protected:
    // Events raised so far, as "name@ms" with the actor's frames counted in 100 ms steps.
    std::vector<std::string> Run(int32_t frames)
    {
        for (int32_t i = 0; i < frames; ++i) {
            elapsed += 100;
            actor.UpdateAnimations(100);
            for (size_t seen = raised.size(); seen < actor.GetAnimationEvents().GetTotalCount();
                 ++seen) {
                const Name& name = actor.GetAnimationEvents()[seen].name;
                raised.push_back(name.GetString() + "@" + std::to_string(elapsed));
            }
        }
        return raised;
    }

    GraphicsAnim swing{"Swing", 30, 30, 1.0f};
    Actor actor;
    std::vector<std::string> raised;
    int32_t elapsed = 0;
};

TEST_F(ActorAnimationTest, ANonLoopingAnimationRaisesItsEventsThenEndOnce)
{
    swing.AddEvent(1000.0f, Name::Create("Last"));
    swing.AddEvent(250.0f, Name::Create("Hit"));
    swing.AddEvent(2000.0f, Name::Create("Beyond"));
    ASSERT_TRUE(actor.PlayAnimation(0, &swing, false, 2.0f, 250));
    Run(2);
    EXPECT_EQ(actor.GetPose().frame, 12) << "400 ms of animation time";
    EXPECT_EQ(Run(20), (std::vector<std::string>{"Hit@200", "Last@500", "End@500"}));
    EXPECT_EQ(actor.GetPose().frame, 29);

    // Played again, it starts over.
    actor.PlayAnimation(0, &swing, false, 1.0f, 250);
    EXPECT_EQ(Run(10).back(), "End@3200");
    EXPECT_EQ(raised.size(), 6u);
}

TEST_F(ActorAnimationTest, ALoopingAnimationRaisesItsEventsEveryPassAndNeverEnd)
{
    swing.AddEvent(500.0f, Name::Create("Step"));
    swing.AddEvent(0.0f, Name::Create("Start"));
    actor.PlayAnimation(0, &swing, true, 1.0f, 250);
    EXPECT_EQ(Run(25), (std::vector<std::string>{"Start@100", "Step@500", "Start@1000", "Step@1500",
                                                 "Start@2000", "Step@2500"}));
    actor.StopAnimations();
    EXPECT_EQ(Run(10).size(), 6u);
}

// A handler that moves on to the next animation when one ends.
class Chaining : public Actor {
public:
    void AnimationCallback(int32_t kind, const Name& name) override
    {
        Actor::AnimationCallback(kind, name);
        if (next != nullptr && name == Name::Create("End"))
            PlayAnimation(0, std::exchange(next, nullptr), false, 1.0f, 0);
    }
    GraphicsAnim* next = nullptr;
};

TEST(ActorAnimation, AHandlerThatPlaysAnotherAnimationStartsItFromItsBeginning)
{
    GraphicsAnim first("First", 3, 30, 1.0f);
    GraphicsAnim second("Second", 3, 30, 1.0f);
    second.AddEvent(0.0f, Name::Create("Begin"));
    Chaining actor;
    actor.next = &second;
    actor.PlayAnimation(0, &first, false, 1.0f, 0);
    actor.UpdateAnimations(500);
    ASSERT_EQ(actor.GetAnimationEvents().GetSize(), 1u) << "the new animation waits a frame";
    actor.UpdateAnimations(50);
    actor.UpdateAnimations(50);
    ASSERT_EQ(actor.GetAnimationEvents().GetSize(), 3u);
    EXPECT_EQ(actor.GetAnimationEvents()[1].name, Name::Create("Begin"));
    EXPECT_EQ(actor.GetAnimationEvents()[2].name, Name::Create("End"));
    EXPECT_EQ(actor.GetAnimationChannel(0)->animation, &second);
}

TEST(ActorAnimation, MotionIsTheFacingTimesTheAnimationSpeedTimesThePlaySpeed)
{
    GraphicsAnim run("Run", 30, 30, 1.0f);
    run.SetSpeed(3.5f);
    Actor actor;
    EXPECT_EQ(actor.GetMotion(), Vec3()) << "nothing playing";
    Coords facingEast({0, 0, -1}, {0, 1, 0}, {1, 0, 0}, {5, 0, 5});
    World().SetCoords(&actor, WorldCoords(1, facingEast));
    actor.PlayAnimation(0, &run, true, 2.0f, 0);
    actor.SetAnimationSpeedMultiplier(0, 0.5f);
    EXPECT_EQ(actor.GetMotion(), Vec3(3.5f, 0.0f, 0.0f));

    actor.PlayAnimation(0, &run, false, 1.0f, 0);
    actor.UpdateAnimations(2000);
    EXPECT_EQ(actor.GetMotion(), Vec3()) << "it has ended";
}

} // namespace
} // namespace GAME
