#include "world/Apparatus.h"
#include "world/Decoration.h"
#include "world/Puppet.h"

#include "engine/CollisionData.h"
#include "engine/Name.h"
#include "tests/support/CombatWorldFixture.h"
#include "world/ProjectileTelekinesis.h"

#include <string>

namespace GAME::Test {
namespace {

class SceneryTest : public CombatWorldFixture {
protected:
    template <typename T> T* Make(std::initializer_list<std::string> lines)
    {
        const std::string path = "Records/Scenery/Piece" + std::to_string(++made) + ".dbr";
        return SpawnAt<T>(path, lines);
    }

    int made = 0;
};

TEST_F(SceneryTest, ApparatusPausesWithinItsRangeAndSaturatesHugeRecords)
{
    auto* fixed = Make<Apparatus>(
        {"Class = Apparatus", "apparatusPauseTimeMin = 1.5", "apparatusPauseTimeMax = 1.5"});
    EXPECT_EQ(fixed->GetPauseTime(), 1500);
    auto* reversed = Make<Apparatus>(
        {"Class = Apparatus", "apparatusPauseTimeMin = 2", "apparatusPauseTimeMax = 1"});
    EXPECT_EQ(reversed->GetPauseTime(), 2000);
    auto* huge = Make<Apparatus>(
        {"Class = Apparatus", "apparatusPauseTimeMin = -1e30", "apparatusPauseTimeMax = 1e30"});
    EXPECT_EQ(huge->GetPauseTimeMin(), INT32_MIN);
    EXPECT_EQ(huge->GetPauseTimeMax(), INT32_MAX);
    huge->GetPauseTime();
}

TEST_F(SceneryTest, PuppetWithoutAnimationsIsReadyAtOnceFadesAndGoes)
{
    auto* puppet = Make<Puppet>(
        {"Class = Puppet", "fadeInTime = 0.5", "fadeOutTime = 0", "idleAnimation = Idle.anm"});
    puppet->StartAnimating();
    EXPECT_TRUE(puppet->IsReady());
    puppet->UpdateSelf(250);
    EXPECT_EQ(puppet->GetDiffuseColor(), Color(0.5f, 0.5f, 0.5f, 1.0f));
    // Another channel's end, or one while ready, changes nothing.
    puppet->AnimationCallback(1, Name::Create("End"));
    puppet->AnimationCallback(0, Name::Create("End"));
    EXPECT_TRUE(puppet->IsReady());

    const uint32_t id = puppet->GetObjectId();
    puppet->ReleaseToWorld();
    ASSERT_TRUE(Exists(id));
    puppet->UpdateSelf(10);
    EXPECT_FALSE(Exists(id));
}

TEST_F(SceneryTest, PuppetPlaysItsStartAndEndAnimationsThroughTheirEnds)
{
    auto* puppet =
        Make<Puppet>({"Class = Puppet", "startAnimation = Rise.anm", "idleAnimation = Idle.anm",
                      "endAnimation = Sink.anm", "fadeOutTime = 1e30"});
    puppet->StartAnimating();
    EXPECT_EQ(puppet->GetState(), Puppet::State_Starting);
    puppet->AnimationCallback(0, Name::Create("End"));
    EXPECT_TRUE(puppet->IsReady());
    puppet->ReleaseToWorld();
    EXPECT_EQ(puppet->GetState(), Puppet::State_Ending);
    puppet->AnimationCallback(0, Name::Create("End"));
    EXPECT_EQ(puppet->GetState(), Puppet::State_FadingOut);
    EXPECT_EQ(puppet->GetFadeTimer(), INT32_MAX);
}

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

TEST_F(SceneryTest, AClaimedObjectIsReleasedStoppedOrLandsByItsRecord)
{
    auto* rock = SpawnAt<ProjectileTelekinesis>("Records/Puppets/Rock.dbr",
                                                {"Class = ProjectileTelekinesis"});
    ASSERT_NE(rock, nullptr);
    rock->ProjectileCome(77);
    EXPECT_EQ(rock->GetCasterId(), 77u);
    rock->Release();
    EXPECT_TRUE(rock->IsIdle());

    rock->ProjectileCome(77);
    rock->ProjectileStop(false);
    EXPECT_TRUE(rock->IsIdle());
    EXPECT_EQ(rock->GetCasterId(), 0u);

    rock->ProjectileFall();
    rock->CollisionCallback(CollisionData());
    EXPECT_TRUE(rock->IsIdle());

    auto* brittle = SpawnAt<ProjectileTelekinesis>(
        "Records/Puppets/Brittle.dbr",
        {"Class = ProjectileTelekinesis", "explodeOnFirstImpact = 1"});
    ASSERT_NE(brittle, nullptr);
    brittle->ProjectileFall();
    brittle->CollisionCallback(CollisionData());
    EXPECT_EQ(brittle->GetState(), ProjectileTelekinesis::State_Exploded);
}

} // namespace
} // namespace GAME::Test
