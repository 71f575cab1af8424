#include "core/WorldHelpers.h"

#include "core/UniqueId.h"
#include "engine/InstanceGroupManager.h"
#include "tests/support/EngineWorldFixture.h"

namespace GAME::Test {
namespace {

// Two regions a hundred units apart along x.
class WorldHelpers : public EngineWorldFixture {
protected:
    void SetUp() override
    {
        EngineWorldFixture::SetUp();
        world->CreateRegion(1, {0, 0, 0}, ABBox({-50, -50, -50}, {50, 50, 50}));
        world->CreateRegion(2, {100, 0, 0}, ABBox({-50, -50, -50}, {50, 50, 50}));
    }
    void TearDown() override
    {
        InstanceGroupManager::Instance().Destroy();
        EngineWorldFixture::TearDown();
    }
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
    const auto misses = [&](const WorldVec3& from, const Vec3& direction, const WorldVec3& center,
                            float radius) {
        return !GetRaySphereIntersection(from, direction, center, radius).HasRegion();
    };
    EXPECT_TRUE(misses(start, east, WorldVec3(1, {5, 2.01f, 0}), 2));
    EXPECT_TRUE(misses(start, -east, ahead, 2));
    EXPECT_TRUE(misses(WorldVec3(), east, ahead, 2));
    EXPECT_TRUE(misses(start, east, WorldVec3(0, {5, 0, 0}), 2));
    EXPECT_TRUE(misses(start, east, WorldVec3(9, {5, 0, 0}), 2));
    EXPECT_TRUE(misses(start, east, ahead, 0));
    EXPECT_TRUE(misses(start, {0, 0, 0}, ahead, 2));
}

} // namespace
} // namespace GAME::Test
