#include "world/Puppet.h"

#include "engine/CollisionData.h"
#include "engine/LineEffect.h"
#include "tests/support/CombatWorldFixture.h"
#include "world/ProjectileTelekinesis.h"

namespace GAME::Test {
namespace {

using PuppetTest = CombatWorldFixture;

TEST_F(PuppetTest, AClaimedObjectIsReleasedStoppedOrLandsByItsRecord)
{
    auto* rock = SpawnAt<ProjectileTelekinesis>("Records/Puppets/Rock.dbr",
                                                {"Class = ProjectileTelekinesis"});
    ASSERT_NE(rock, nullptr);
    rock->ProjectileCome(77);
    EXPECT_TRUE(rock->IsInUse());
    EXPECT_EQ(rock->GetCasterId(), 77u);
    rock->Release();
    EXPECT_TRUE(rock->IsIdle());
    EXPECT_TRUE(rock->IsGravityEnabled());

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

TEST_F(PuppetTest, ALinePausedAtItsTargetHoldsUntilLetGo)
{
    auto* line = SpawnAt<LineEffect>("Records/Puppets/Line.dbr", {"Class = LineEffect"});
    ASSERT_NE(line, nullptr);
    line->SetRevealTime(100);
    line->DoSetPauseAtTarget(true);
    line->UpdateSelf(60);
    EXPECT_FALSE(line->IsPaused());
    line->UpdateSelf(60);
    EXPECT_TRUE(line->IsPaused());
    line->UpdateSelf(500);
    EXPECT_EQ(line->GetElapsedTime(), 120);
    line->SetPause(false);
    line->UpdateSelf(500);
    EXPECT_EQ(line->GetElapsedTime(), 620);
    EXPECT_FALSE(line->IsPaused());
}

} // namespace
} // namespace GAME::Test
