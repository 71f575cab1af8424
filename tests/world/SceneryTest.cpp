#include "world/Apparatus.h"
#include "world/Decoration.h"
#include "world/Puppet.h"

#include "engine/CollisionData.h"
#include "engine/GraphicsAnim.h"
#include "engine/LineEffect.h"
#include "engine/Name.h"
#include "tests/support/CombatWorldFixture.h"
#include "world/ProjectileTelekinesis.h"

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class SceneryTest : public CombatWorldFixture {
protected:
    template <typename T> T* Make(std::initializer_list<std::string> lines)
    {
        const std::string path = "Records/Scenery/Piece" + std::to_string(++made) + ".dbr";
        return SpawnAt<T>(path, lines);
    }

    static std::string Name(const GraphicsAnim* animation)
    {
        return animation != nullptr ? animation->GetName() : "none";
    }

    int made = 0;
};

TEST_F(SceneryTest, DecorationPicksAlternativesByTheirSharesOnlyWithADefault)
{
    auto* tree = Make<Decoration>({"Class = Decoration", "animation = Sway.anm",
                                   "animation1 = Bend.anm", "animation1Chance = 30",
                                   "animation2 = Shake.anm", "animation2Chance = 30",
                                   "animation3 = Never.anm", "animation3Chance = 0"});
    EXPECT_EQ(tree->GetAlternativeCount(), 2u);
    struct Row {
        float r;
        const char* picked;
    };
    for (const Row& row :
         {Row{30.0f, "Bend.anm"}, Row{30.5f, "Shake.anm"}, Row{60.5f, "Sway.anm"}}) {
        SCOPED_TRACE(row.r);
        EXPECT_EQ(Name(tree->PickAnimation(row.r)), row.picked);
    }
    auto* bare =
        Make<Decoration>({"Class = Decoration", "animation1 = Bend.anm", "animation1Chance = 100"});
    EXPECT_EQ(bare->GetRandomAnimation(), nullptr);

    tree->InitialUpdate();
    EXPECT_EQ(Name(tree->GetCurrentAnimation()), "Sway.anm");
    tree->AnimationCallback(1, Name::Create("End"));
    EXPECT_EQ(Name(tree->GetCurrentAnimation()), "Sway.anm");
}

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

using PuppetTest = CombatWorldFixture;

TEST_F(PuppetTest, AClaimedObjectIsReleasedStoppedOrLandsByItsRecord)
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
