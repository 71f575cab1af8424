#include "core/WorldHelpers.h"

#include "core/UniqueId.h"
#include "engine/Engine.h"
#include "engine/InstanceGroupManager.h"
#include "engine/World.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME {
namespace {

// Two regions a hundred units apart along x, installed in the engine for each test.
class WorldHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-50, -50, -50}, {50, 50, 50}));
        gEngine->GetWorld()->CreateRegion(2, {100, 0, 0}, ABBox({-50, -50, -50}, {50, 50, 50}));
    }
    void TearDown() override
    {
        InstanceGroupManager::Instance().Destroy();
        gEngine->SetWorld(std::move(previous));
    }

    std::unique_ptr<World> previous;
};

TEST_F(WorldHelpers, InstanceEntityPositionNeedsKnownIdAndKnownRegion)
{
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    const UniqueId placed(1, 2, 3, 4);
    const UniqueId elsewhere(5, 6, 7, 8);
    groups.SetEntityData(placed, {2, {1.5f, 0, -3}});
    groups.SetEntityData(elsewhere, {9, {0, 0, 0}});

    WorldVec3 out(1, {7, 7, 7});
    ASSERT_TRUE(GetInstanceEntityPosition(placed, out));
    EXPECT_EQ(out, WorldVec3(2, {1.5f, 0, -3}));

    const WorldVec3 untouched = out;
    EXPECT_FALSE(GetInstanceEntityPosition(elsewhere, out));
    EXPECT_FALSE(GetInstanceEntityPosition(UniqueId(4, 3, 2, 1), out));
    EXPECT_EQ(out, untouched);

    groups.Destroy();
    EXPECT_FALSE(GetInstanceEntityPosition(placed, out));
}

TEST_F(WorldHelpers, RaySphereTakesTheNearestRootAheadOrGivesNoRegion)
{
    const WorldVec3 start(1, {0, 0, 0});
    const Vec3 east(1, 0, 0);
    EXPECT_EQ(GetRaySphereIntersection(start, east, WorldVec3(1, {5, 0, 0}), 2),
              WorldVec3(1, {3, 0, 0}));
    // The direction's length does not move the point.
    EXPECT_EQ(GetRaySphereIntersection(start, {2, 0, 0}, WorldVec3(1, {5, 0, 0}), 2),
              WorldVec3(1, {3, 0, 0}));
    // Touching: the single root.
    EXPECT_EQ(GetRaySphereIntersection(start, east, WorldVec3(1, {5, 2, 0}), 2),
              WorldVec3(1, {5, 0, 0}));
    // Starting inside: the near root lies behind, the far one is taken.
    EXPECT_EQ(GetRaySphereIntersection(start, east, WorldVec3(1, {1, 0, 0}), 2),
              WorldVec3(1, {3, 0, 0}));
    // A centre in another region is brought into the start's: world (95, 0, 0).
    EXPECT_EQ(GetRaySphereIntersection(start, east, WorldVec3(2, {-5, 0, 0}), 5),
              WorldVec3(1, {90, 0, 0}));

    // Every failure gives a point with no region.
    const WorldVec3 ahead(1, {5, 0, 0});
    EXPECT_FALSE(GetRaySphereIntersection(start, east, WorldVec3(1, {5, 2.01f, 0}), 2).HasRegion());
    EXPECT_FALSE(GetRaySphereIntersection(start, -east, ahead, 2).HasRegion());
    EXPECT_FALSE(GetRaySphereIntersection(WorldVec3(), east, ahead, 2).HasRegion());
    EXPECT_FALSE(GetRaySphereIntersection(start, east, WorldVec3(0, {5, 0, 0}), 2).HasRegion());
    EXPECT_FALSE(GetRaySphereIntersection(start, east, WorldVec3(9, {5, 0, 0}), 2).HasRegion());
    EXPECT_FALSE(GetRaySphereIntersection(start, east, ahead, 0).HasRegion());
    EXPECT_FALSE(GetRaySphereIntersection(start, east, ahead, -1).HasRegion());
    EXPECT_FALSE(GetRaySphereIntersection(start, {0, 0, 0}, ahead, 2).HasRegion());
}

} // namespace
} // namespace GAME
