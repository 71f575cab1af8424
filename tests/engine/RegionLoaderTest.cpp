#include "engine/RegionLoader.h"

#include "engine/Region.h"
#include "engine/World.h"
#include "engine/WorldFrustum.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

TEST(RegionLoaderTest, LoadsOverTheSetNumberOfFrames)
{
    RegionLoader::SetFramesToLoad(2);
    RegionLoader loader({1, 2});
    RegionLoader::SetFramesToLoad(-4);
    EXPECT_EQ(RegionLoader::GetFramesToLoad(), 0);
    RegionLoader::SetFramesToLoad(RegionLoader::kDefaultFramesToLoad);
    EXPECT_FALSE(loader.GetIsDone());
    loader.Update();
    EXPECT_FALSE(loader.GetIsDone());
    loader.Update();
    EXPECT_TRUE(loader.GetIsDone());
    EXPECT_EQ(loader.GetRegionIds(), (std::vector<uint32_t>{1, 2}));
}

// A box of x, y and z in [0, 100] around the origin of region 1.
Frustum BoxFrustum()
{
    Frustum::Planes planes{};
    const Vec3 axes[3] = {Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1)};
    for (int axis = 0; axis < 3; ++axis) {
        planes[axis * 2] = {axes[axis], 0.0f};
        planes[axis * 2 + 1] = {-axes[axis], 100.0f};
    }
    return Frustum(planes);
}

TEST(RegionLoaderTest, TheWorldGivesTheRegionsAFrustumReachesOwnRegionFirst)
{
    World world;
    const ABBox bounds(Vec3(0, 0, 0), Vec3(64, 64, 64));
    world.CreateRegion(1, Vec3(300, 0, 0), bounds);
    world.CreateRegion(2, Vec3(380, 0, 0), bounds);
    world.CreateRegion(3, Vec3(600, 0, 0), bounds);
    world.CreateRegion(4, Vec3(150, 0, 0), bounds);
    std::vector<Region*> regions;
    world.GetRegionsInFrustum(regions, WorldFrustum(2, BoxFrustum()));
    ASSERT_EQ(regions.size(), 1u) << "region 1 ends at x = 364, short of 380";
    EXPECT_EQ(regions[0]->GetId(), 2u);

    regions.clear();
    world.GetRegionsInFrustum(regions, WorldFrustum(1, BoxFrustum()));
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0]->GetId(), 1u);
    EXPECT_EQ(regions[1]->GetId(), 2u) << "region 2 starts at x = 380, inside 300 + 100";

    regions.clear();
    world.GetRegionsInFrustum(regions, WorldFrustum(9, BoxFrustum()));
    EXPECT_TRUE(regions.empty());
}

} // namespace
} // namespace GAME
