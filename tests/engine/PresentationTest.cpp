#include "core/MathUtils.h"
#include "engine/Actor.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Jukebox.h"
#include "engine/Viewport.h"
#include "engine/WorldCamera.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

TEST(Actor, ADissolveEndsOnceUpdatesHaveCarriedItThroughItsTime)
{
    Actor actor;
    actor.UpdateSelf(5000);
    EXPECT_FALSE(actor.GetIsDissolved()) << "nothing to dissolve";
    actor.BeginDissolve(255, 0, 0, 0.5f, "Burn.tex");
    EXPECT_FALSE(actor.GetIsDissolved());
    actor.UpdateSelf(499);
    actor.UpdateSelf(-1000);
    EXPECT_FALSE(actor.GetIsDissolved());
    actor.UpdateSelf(1);
    EXPECT_TRUE(actor.GetIsDissolved());

    actor.BeginDissolve(0, 0, 255, 0.0f, "");
    EXPECT_FALSE(actor.GetIsDissolved()) << "started over";
    actor.UpdateSelf(0);
    EXPECT_TRUE(actor.GetIsDissolved());
    ASSERT_EQ(actor.GetDissolveRequests().size(), 2u);
    EXPECT_EQ(actor.GetDissolveRequests()[0].texture, "Burn.tex");
}

TEST(EffectEntity, HandedToAWorldThatRefusesItsPlaceItIsStillRecorded)
{
    EffectEntity effect;
    const WorldCoords nowhere(9999, Coords());
    EXPECT_FALSE(effect.AddToWorld(nowhere, true));
    EXPECT_FALSE(effect.IsInWorld());
    ASSERT_EQ(effect.GetAddToWorldRequests().size(), 1u);
    EXPECT_TRUE(effect.GetAddToWorldRequests()[0].flag);
}

TEST(Jukebox, ADeathFlagBelongsToTheTrackedCharacter)
{
    Jukebox& jukebox = Jukebox::Instance();
    jukebox.SetTrackedPlayer(7);
    jukebox.SetTrackedPlayerDead(true);
    jukebox.SetTrackedPlayer(7);
    EXPECT_TRUE(jukebox.IsTrackedPlayerDead());
    jukebox.SetTrackedPlayer(8);
    EXPECT_FALSE(jukebox.IsTrackedPlayerDead());
    jukebox.Reset();
}

// Looks at a fixed point, as the game's camera looks at its target.
class FixedTargetCamera : public WorldCamera {
public:
    WorldVec3 GetTarget() const override { return WorldVec3(1, {0.0f, 0.0f, 0.0f}); }
};

TEST(WorldCamera, SitsBehindItsTargetAndItsFrustumFollowsViewportAndPitch)
{
    FixedTargetCamera camera;
    camera.SetCameraDistance(10.0f);
    camera.SetCameraYaw(0.0f);
    camera.SetCameraPitch(0.0f);
    camera.Update();
    const Coords& frame = camera.GetCoords().GetRegionCoords();
    EXPECT_EQ(camera.GetCoords().GetRegionId(), 1u);
    EXPECT_NEAR(frame.origin.z, -10.0f, 1e-5f);
    EXPECT_NEAR(frame.forward.z, 1.0f, 1e-6f);

    const WorldFrustum view = camera.GetFrustum(Viewport(0, 0, 1024, 768));
    EXPECT_TRUE(view.Contains(WorldVec3(1, {0.0f, 0.0f, 0.0f})));
    EXPECT_FALSE(view.Contains(WorldVec3(1, {0.0f, 0.0f, -11.0f}))); // behind the camera
    EXPECT_FALSE(view.Contains(WorldVec3(1, {0.0f, 0.0f, 991.0f}))); // past the far plane
    EXPECT_FALSE(view.Contains(WorldVec3(2, {0.0f, 0.0f, 0.0f})));   // unrelated region

    // 30 degrees vertically: on a 4:3 screen the sides lie 19.65 degrees off the view axis, on a
    // 3:4 screen 11.36 degrees; a point 18 degrees off lies between.
    const WorldVec3 aside(1, {Tan(DegreesToRadians(18.0f)) * 10.0f, 0.0f, 0.0f});
    EXPECT_TRUE(view.Contains(aside));
    EXPECT_FALSE(camera.GetFrustum(Viewport(0, 0, 768, 1024)).Contains(aside));

    // Straight down the camera still has an up axis, hence side planes.
    camera.SetCameraPitch(DegreesToRadians(90.0f));
    camera.Update();
    EXPECT_NEAR(camera.GetCoords().GetRegionCoords().origin.y, 10.0f, 1e-4f);
    EXPECT_TRUE(
        camera.GetFrustum(Viewport(0, 0, 1024, 768)).Contains(WorldVec3(1, {0.5f, 0.0f, 0.5f})));
}

class InstanceGroupManagerTest : public ::testing::Test {
protected:
    void TearDown() override { groups.Destroy(); }
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
};

TEST_F(InstanceGroupManagerTest, AffiliationsKeepTheOrderOfFirstDeclaration)
{
    groups.AddGroupAffiliation("Any Entity", Entity::classInfo);
    groups.AddGroupAffiliation("Patrollers", Actor::classInfo);
    groups.AddGroupAffiliation("Any Entity", Actor::classInfo);
    groups.AddGroupAffiliation("Any Entity", Entity::classInfo);

    const std::vector<InstanceGroupManager::GroupAffiliation>& list = groups.GetGroupAffiliations();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].groupName, "Any Entity");
    EXPECT_EQ(list[0].classes,
              (std::vector<const RTTI_ClassInfo*>{&Entity::classInfo, &Actor::classInfo}));
    EXPECT_EQ(list[1].groupName, "Patrollers");
    EXPECT_EQ(list[1].classes, (std::vector<const RTTI_ClassInfo*>{&Actor::classInfo}));

    // A class derived from a declared one may join too; a base of it may not.
    EXPECT_TRUE(groups.IsAffiliated("Patrollers", Actor::classInfo));
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
    EXPECT_EQ(groups.GetGroup(1)->GetName(), "Camp");
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

} // namespace
} // namespace GAME::Test
