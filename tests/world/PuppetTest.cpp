#include "world/Puppet.h"

#include "engine/CollisionData.h"
#include "engine/LineEffect.h"
#include "tests/support/CombatWorldFixture.h"
#include "world/LightOfRaMarker.h"
#include "world/ProjectileTelekinesis.h"

namespace GAME::Test {
namespace {

using PuppetTest = CombatWorldFixture;

TEST_F(PuppetTest, WithoutAnimationsItIsReadyAtOnceAndGoesAtTheEndOfItsFade)
{
    Puppet* puppet = SpawnAt<Puppet>("Records/Puppets/Plain.dbr",
                                     {"Class = Puppet", "fadeInTime = 0.2", "fadeOutTime = 0.1"});
    ASSERT_NE(puppet, nullptr);
    EXPECT_FALSE(puppet->IsReady());
    puppet->StartAnimating();
    EXPECT_TRUE(puppet->IsReady());
    puppet->UpdateSelf(100);
    EXPECT_FLOAT_EQ(puppet->GetFade(), 0.5f);
    // An "End" of another channel, or while ready, changes nothing.
    puppet->AnimationCallback(1, Name::Create("End"));
    puppet->AnimationCallback(0, Name::Create("End"));
    EXPECT_TRUE(puppet->IsReady());

    const uint32_t id = puppet->GetObjectId();
    puppet->ReleaseToWorld();
    EXPECT_EQ(puppet->GetState(), Puppet::State_FadingOut);
    puppet->UpdateSelf(50);
    EXPECT_TRUE(Exists(id));
    puppet->UpdateSelf(50);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FALSE(Exists(id));
}

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

TEST_F(PuppetTest, LightMarkersShowOnlyInTheLevelEditor)
{
    auto* hidden =
        DynamicCast<LightOfRaMarker>(ObjectManager::Instance().CreateObject("LightOfRaMarker"));
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(hidden->GetVisibility());
    gEngine->SetLevelEditor(true);
    auto* shown =
        DynamicCast<LightOfRaMarker>(ObjectManager::Instance().CreateObject("LightOfRaMarker"));
    gEngine->SetLevelEditor(false);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->GetVisibility());
}

} // namespace
} // namespace GAME::Test
