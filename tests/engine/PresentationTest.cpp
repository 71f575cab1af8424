#include "core/MathUtils.h"
#include "engine/Actor.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/GraphicsFont.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/StyleManager.h"
#include "engine/Viewport.h"
#include "engine/World.h"
#include "engine/WorldCamera.h"
#include "engine/WorldCoords.h"
#include "tests/support/EngineWorldFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

TEST(Actor, ADissolveEndsOnceUpdatesHaveCarriedItThroughItsTime)
{
    Actor actor;
    actor.BeginDissolve(255, 0, 0, 0.5f, "Burn.tex");
    actor.UpdateSelf(499);
    actor.UpdateSelf(-1000);
    EXPECT_FALSE(actor.GetIsDissolved());
    actor.UpdateSelf(1);
    EXPECT_TRUE(actor.GetIsDissolved());

    actor.BeginDissolve(0, 0, 255, 0.0f, "");
    EXPECT_FALSE(actor.GetIsDissolved()) << "started over";
    actor.UpdateSelf(0);
    EXPECT_TRUE(actor.GetIsDissolved());
}

// Looks at a fixed point, as the game's camera looks at its target.
class FixedTargetCamera : public WorldCamera {
public:
    WorldVec3 GetTarget() const override { return WorldVec3(1, {0.0f, 0.0f, 0.0f}); }
};

TEST(WorldCamera, SitsBehindItsTargetAndItsFrustumFollowsItsPitch)
{
    FixedTargetCamera camera;
    camera.SetCameraDistance(10.0f);
    camera.SetCameraYaw(0.0f);
    camera.SetCameraPitch(0.0f);
    camera.Update();
    const Coords& frame = camera.GetCoords().GetRegionCoords();
    EXPECT_NEAR(frame.origin.z, -10.0f, 1e-5f);

    const WorldFrustum view = camera.GetFrustum(Viewport(0, 0, 1024, 768));
    EXPECT_TRUE(view.Contains(WorldVec3(1, {0.0f, 0.0f, 0.0f})));
    EXPECT_FALSE(view.Contains(WorldVec3(1, {0.0f, 0.0f, -11.0f}))); // behind the camera
    EXPECT_FALSE(view.Contains(WorldVec3(1, {0.0f, 0.0f, 991.0f}))); // past the far plane
    EXPECT_FALSE(view.Contains(WorldVec3(2, {0.0f, 0.0f, 0.0f})));   // unrelated region

    // Straight down the camera still has an up axis, hence side planes.
    camera.SetCameraPitch(DegreesToRadians(90.0f));
    camera.Update();
    EXPECT_TRUE(
        camera.GetFrustum(Viewport(0, 0, 1024, 768)).Contains(WorldVec3(1, {0.5f, 0.0f, 0.5f})));
}

class InstanceGroupManagerTest : public ::testing::Test {
protected:
    void TearDown() override { groups.Destroy(); }
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
};

TEST_F(InstanceGroupManagerTest, AClassDerivedFromAnAffiliatedOneIsAffiliatedAndABaseIsNot)
{
    groups.AddGroupAffiliation("Any Entity", Entity::classInfo);
    groups.AddGroupAffiliation("Patrollers", Actor::classInfo);
    EXPECT_FALSE(groups.IsAffiliated("Patrollers", Entity::classInfo));
    EXPECT_TRUE(groups.IsAffiliated("Any Entity", Actor::classInfo));
    EXPECT_FALSE(groups.IsAffiliated("Unknown", Actor::classInfo));
}

TEST_F(InstanceGroupManagerTest, GroupsAreFoundByMemberAndDestroyForgetsEverything)
{
    const UniqueId boat(1, 2, 3, 4), pier(5, 6, 7, 8), stranger(9, 9, 9, 9);
    groups.AddGroup(InstanceGroup("Boats", "North", {boat, pier}));
    groups.AddGroup(InstanceGroup("Unique Proxies", "Camp", {pier}));
    groups.AddGroupAffiliation("Boats", Entity::classInfo);
    groups.SetEntityData(boat, {3, {1.0f, 0.0f, 1.0f}});

    ASSERT_EQ(groups.GetNumGroups(), 2);
    EXPECT_EQ(groups.GetGroup(2), nullptr);

    std::vector<int32_t> indices{7};
    groups.GetGroupsThatContain(pier, indices);
    EXPECT_EQ(indices, (std::vector<int32_t>{0, 1}));
    groups.GetGroupsThatContain(stranger, indices);
    EXPECT_TRUE(indices.empty());

    groups.Destroy();
    InstanceGroupManager::EntityData data;
    EXPECT_EQ(groups.GetNumGroups(), 0);
    EXPECT_TRUE(groups.GetGroupAffiliations().empty());
    EXPECT_FALSE(groups.GetEntityData(boat, data));
}

TEST(EntityAttach, AChildHasOneParentAndOnlyThatParentDetachesIt)
{
    Entity first, second, child;
    first.Attach(&child, Coords::FromTranslation({0.0f, 1.0f, 0.0f}), "R Hand");
    EXPECT_EQ(child.GetAttachParent(), &first);

    second.Attach(&child, Coords::Identity(), nullptr);
    EXPECT_TRUE(first.GetAttachedChildren().empty());
    EXPECT_EQ(second.GetAttachedChildren(), std::vector<Entity*>{&child});
    EXPECT_EQ(child.GetAttachPointName(), "");

    first.Detach(&child);
    EXPECT_EQ(child.GetAttachParent(), &second);
    second.Detach(&child);
    EXPECT_EQ(child.GetAttachParent(), nullptr);
    EXPECT_TRUE(second.GetAttachedChildren().empty());

    first.Attach(&first, Coords::Identity(), "");
    first.Attach(nullptr, Coords::Identity(), "");
    EXPECT_TRUE(first.GetAttachedChildren().empty());
}

TEST(EntityAttach, WhicheverSideGoesFirstUnlinksTheOther)
{
    Entity parent;
    {
        Entity child;
        parent.Attach(&child, Coords::Identity(), "Head");
    }
    EXPECT_TRUE(parent.GetAttachedChildren().empty());

    Entity child;
    {
        Entity shortLived;
        shortLived.Attach(&child, Coords::Identity(), "Head");
    }
    EXPECT_EQ(child.GetAttachParent(), nullptr);
}

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
    EXPECT_EQ(Run(22), (std::vector<std::string>{"Hit@200", "Last@500", "End@500"}));
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

TEST(GraphicsEngine, TheDefaultAnimationIsNeverFreed)
{
    GraphicsEngine& graphics = GraphicsEngine::Instance();
    GraphicsAnim* fallback = graphics.GetDefaultAnimation();
    graphics.UnloadAnimation(fallback);
    graphics.UnloadAnimation(nullptr);
    EXPECT_EQ(graphics.GetDefaultAnimation(), fallback);
    EXPECT_EQ(graphics.GetLoadedAnimationCount(), 0u);
    graphics.Reset();
}

constexpr GraphicsFont::Color kWhite{1.0f, 1.0f, 1.0f, 1.0f};

TEST(GraphicsFont, EachColourChannelIsClampedOnItsOwn)
{
    EXPECT_EQ(GraphicsFont::PackColor(kWhite), 0xFFFFFFFFu);
    // NaN packs as zero.
    EXPECT_EQ(GraphicsFont::PackColor({0.5f, 2.0f, -1.0f, std::nanf("")}), 0x0080FF00u);
}

TEST(GraphicsFont, LongTextsAreDrawnInRunsOf511Glyphs)
{
    GraphicsFont font(3);
    EXPECT_EQ(font.DrawString(std::wstring(1200, L'x'), 0.0f, 0.0f, kWhite, 0, false, 10, 1), 4800);
    std::vector<std::pair<size_t, float>> runs;
    for (const TextRenderer::Run& run : font.GetRenderer()->GetRuns())
        runs.emplace_back(run.glyphs.size(), run.x);
    EXPECT_EQ(runs,
              (std::vector<std::pair<size_t, float>>{{511, 0.0f}, {511, 2044.0f}, {178, 4088.0f}}));

    // A full run at the very end is not followed by an empty one.
    EXPECT_EQ(font.DrawString(std::wstring(511, L'x'), 0.0f, 0.0f, kWhite, 0, false, 10, 0), 1533);
    EXPECT_EQ(font.GetRenderer()->GetRuns().size(), 1u);
}

TEST(StyleManager, StylesAreFoundByExactNameAndKeepTheirFirstEntry)
{
    StyleManager styles;
    GraphicsFont* font = styles.AddFont("Body", 6);
    EXPECT_EQ(styles.AddFont("Body", 9), font);

    EXPECT_TRUE(styles.AddStyle("Normal", "Body", 12, 1));
    EXPECT_FALSE(styles.AddStyle("Normal", "Body", 20, 0));
    EXPECT_FALSE(styles.AddStyle("", "Body", 12, 0));
    EXPECT_FALSE(styles.AddStyle("Other", "Missing", 12, 0));
    ASSERT_NE(styles.GetStyle("Normal"), nullptr);
    EXPECT_EQ(styles.GetStyle("Normal")->size, 12);
    EXPECT_EQ(styles.GetStyle("normal"), nullptr);
}

// Effects nothing holds: left to the world, or a self-deleting child on an actor.
class PlayedOutEffectTest : public EngineWorldFixture {
protected:
    static constexpr const char* kSpark = "Records/Fx/Spark.dbr";
    static constexpr int kFrameMs = 100;

    void SetUp() override
    {
        EngineWorldFixture::SetUp();
        database.WriteRecord(kSpark, {"Class = EffectEntity"});
        world->CreateRegion(1, Vec3(), ABBox({-50, -5, -50}, {50, 5, 50}));
    }

    EffectEntity* Make(bool emitting)
    {
        auto* effect = ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(kSpark);
        if (effect != nullptr && emitting)
            effect->StartEmitting();
        return effect;
    }

    static bool Exists(uint32_t id)
    {
        return ObjectManager::Instance().GetObject<EffectEntity>(id) != nullptr;
    }

    void Play(uint64_t ms)
    {
        for (uint64_t spent = 0; spent < ms; spent += kFrameMs)
            gEngine->RunFrame(kFrameMs);
    }

    const WorldCoords here{WorldVec3(1, Vec3(1, 0, 1))};
};

TEST_F(PlayedOutEffectTest, AnEffectLeftToTheWorldGoesOnceItsPlayAndParticlesAreOver)
{
    EffectEntity* left = Make(true);
    ASSERT_TRUE(left->AddToWorld(here, false));
    EffectEntity* stopped = Make(true);
    stopped->StopEmitting();
    ASSERT_TRUE(stopped->AddToWorld(here, false));
    // Held by whoever placed it: it emits until told otherwise.
    EffectEntity* held = Make(true);
    ASSERT_TRUE(world->AddEntity(held, here, false));
    const uint32_t ids[] = {left->GetObjectId(), stopped->GetObjectId(), held->GetObjectId()};

    Play(EffectEntity::kParticleLifetimeMs);
    EXPECT_FALSE(Exists(ids[1])) << "stopped already, its particles die out first";
    ASSERT_TRUE(Exists(ids[0]));
    EXPECT_FALSE(left->IsEmitting()) << "one play of its emitter";
    EXPECT_TRUE(left->HasActiveParticles());
    Play(EffectEntity::kEmissionMs - kFrameMs);
    EXPECT_TRUE(Exists(ids[0]));
    Play(kFrameMs);
    EXPECT_FALSE(Exists(ids[0]));
    EXPECT_TRUE(Exists(ids[2]) && held->IsEmitting());
    EXPECT_EQ(world->GetEntityCount(), 1u);
}

TEST_F(PlayedOutEffectTest, ASelfDeletingChildLeavesItsActorAndTheForcedUpdates)
{
    auto* actor = static_cast<Actor*>(ObjectManager::Instance().CreateObject("Actor"));
    ASSERT_NE(actor, nullptr);
    EffectEntity* glow = Make(false);
    glow->MakeSelfDeletingChild();
    glow->StartEmitting();
    actor->Attach(glow, Coords::Identity(), "");
    const uint32_t id = glow->GetObjectId();
    const size_t forced = gEngine->GetForcedUpdates().size();

    Play(EffectEntity::kEmissionMs + EffectEntity::kParticleLifetimeMs - kFrameMs);
    EXPECT_EQ(glow->GetAttachParent(), actor);
    Play(kFrameMs);
    EXPECT_FALSE(Exists(id));
    EXPECT_EQ(actor->GetNumAttachedEntities(), 0u);
    EXPECT_EQ(gEngine->GetForcedUpdates().size(), forced - 1);
}

} // namespace
} // namespace GAME::Test
