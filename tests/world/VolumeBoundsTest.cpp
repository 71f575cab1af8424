#include "world/BoundingVolumeMusicEvent.h"

#include "engine/Intersection.h"
#include "engine/Ray.h"
#include "tests/support/LevelObjectsFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

using VolumeBoundsTest = LevelObjectsFixture;

// Picked along +x from the region's origin, in the editor when asked.
float PickDistance(const Entity& entity, bool editor, int32_t surface = 1)
{
    gEngine->SetLevelEditor(editor);
    Intersection hit;
    entity.GetIntersection(Ray({0, 0, 0}, {1, 0, 0}), hit, surface);
    EXPECT_EQ(hit.point, hit.IsHit() ? Vec3(hit.distance, 0, 0) : Vec3());
    return hit.distance;
}

TEST_F(VolumeBoundsTest, BoxesCollisionAndPickingFollowTheRadiusOrTheOutermostSphere)
{
    // Half-sides of the box (also the picking radius) and of the collision cube.
    const struct {
        const char* className;
        const char* record;
        float box, collision;
    } rows[] = {
        {"BoundingVolume", "radius = 4\n", 4, 4},
        {"BoundingVolume", "", 0, 0},
        {"BoundingVolumeMultiple", "", 1, 0},
        // Not yet ordered: the last sphere read counts.
        {"BoundingVolumeMultiple", "boundingVolumeRadius1 = 9\nboundingVolumeRadius2 = 3\n", 4, 3},
    };
    const Vec3 at(20, 0, 0);
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.className) + " " + row.record);
        auto* volume = DynamicCast<Entity>(ObjectManager::Instance().CreateObject(row.className));
        volume->Load(Record(row.record));
        TheWorld().AddEntity(volume, WorldAt(at), false);
        EXPECT_EQ(volume->GetRegionBoundingBox(),
                  ABBox::FromCenterAndExtents(at, Vec3(row.box, row.box, row.box)));
        EXPECT_EQ(volume->GetCollisionBox(0).extents,
                  Vec3(row.collision, row.collision, row.collision));
        EXPECT_EQ(PickDistance(*volume, false), gPositiveInfinity);
        EXPECT_FLOAT_EQ(PickDistance(*volume, true), 20.0f - row.box);
        EXPECT_EQ(PickDistance(*volume, true, 0), gPositiveInfinity);
        ObjectManager::Instance().DestroyObjectEx(volume, "test", __LINE__);
    }
}

TEST_F(VolumeBoundsTest, BoundsFollowTheOrderedSpheresAndEveryMove)
{
    auto* music = SpawnAt<BoundingVolumeMusicEvent>(
        "Records/Volumes/Music.dbr", {"Class = BoundingVolumeMusicEvent",
                                      "boundingVolumeRadius1 = 9", "boundingVolumeRadius2 = 3"});
    Frame(33);
    EXPECT_EQ(music->GetRegionBoundingBox(), ABBox({-10, -10, -10}, {10, 10, 10}));
    const Coords turned(Coords::RotationAboutAxis(0.5f, {0, 1, 0}));
    TheWorld().SetCoords(
        music, WorldCoords(kRegion, Coords(turned.right, turned.up, turned.forward, {5, 1, -5})));
    EXPECT_EQ(music->GetRegionBoundingBox(), ABBox({-5, -9, -15}, {15, 11, 5}));
    EXPECT_EQ(music->GetCollisionBox(0).extents, Vec3(9, 9, 9));
    EXPECT_EQ(music->GetCollisionBox(0).coords.forward, turned.forward);

    // An engine entity has no size, no collision box and is never picked.
    Entity plain;
    TheWorld().AddEntity(&plain, WorldAt({3, 4, 5}), false);
    EXPECT_EQ(plain.GetRegionBoundingBox(), ABBox({3, 4, 5}, {3, 4, 5}));
    EXPECT_EQ(plain.GetCollisionBox(0).extents, Vec3());
    EXPECT_EQ(PickDistance(plain, true), gPositiveInfinity);
}

} // namespace
} // namespace GAME::Test
