#include "world/GameCamera.h"

#include "core/MathUtils.h"
#include "engine/Engine.h"
#include "engine/GridRegion.h"
#include "engine/Region.h"
#include "engine/Viewport.h"
#include "engine/World.h"
#include "tests/support/CombatWorldFixture.h"
#include "world/CameraRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace GAME::Test {
namespace {

TEST(CameraRange, StepsTowardsTheTargetAndSnapsWithinTheThreshold)
{
    CameraRange range(0.0f, 0.0f, 10.0f);
    range.SetTargetFraction(1.0f);
    EXPECT_TRUE(range.Step(1.0f));
    EXPECT_FLOAT_EQ(range.GetCurrentFraction(), 0.5f); // half the way at rate 0.5
    EXPECT_TRUE(range.Step(4.0f));                     // factors above 1 count as 1
    EXPECT_FLOAT_EQ(range.GetCurrentFraction(), 0.75f);

    range.SetCurrentFraction(0.9995f);
    EXPECT_TRUE(range.Step(0.0f));
    EXPECT_EQ(range.GetCurrentFraction(), 1.0f);
    EXPECT_FALSE(range.Step(1.0f));

    range.SetTargetFraction(0.0f);
    EXPECT_TRUE(range.Step(1.0f));
    EXPECT_FLOAT_EQ(range.GetCurrentFraction(), 0.5f);
}

TEST(CameraRange, NewEndsKeepTheControlledValue)
{
    CameraRange range(4.0f, 0.0f, 8.0f);
    range.SetValues(2.0f, 12.0f);
    EXPECT_FLOAT_EQ(range.GetValue(), 4.0f);
    EXPECT_FLOAT_EQ(range.GetCurrentFraction(), 0.2f);

    // Equal ends divide by the end; ends both at 0 give fraction 0 rather than a NaN.
    EXPECT_FLOAT_EQ(CameraRange(0.0f, 50.0f, 50.0f).GetFraction(25.0f), 0.5f);
    EXPECT_EQ(CameraRange(0.0f, 0.0f, 0.0f).GetFraction(15.0f), 0.0f);
}

TEST(GameCamera, SoftResetStartsFromThePresentViewWithClampedTargets)
{
    GameCamera camera;
    // Set as the engine's record does, with a default distance beyond the maximum of 25.
    camera.SetCameraDistanceDefault(40.0f);
    camera.SetCameraPitchDefault(40.0f);
    camera.SetCameraDistance(40.0f);
    camera.SetCameraPitch(DegreesToRadians(40.0f));
    camera.SetMovementExtents(5.0f, 25.0f, 20.0f, 60.0f);
    camera.SetCameraDistance(30.0f);
    camera.SetCameraPitch(DegreesToRadians(70.0f));

    camera.ResetToDefaults(false);
    // The present view may lie outside the extents; only the targets are held inside.
    EXPECT_FLOAT_EQ(camera.GetDistanceRange().GetCurrentFraction(), 1.25f);
    EXPECT_EQ(camera.GetDistanceRange().GetTargetFraction(), 1.0f);
    EXPECT_FLOAT_EQ(camera.GetPitchRange().GetCurrentFraction(), 1.25f);
    EXPECT_FLOAT_EQ(camera.GetPitchRange().GetTargetFraction(), 0.5f);
}

class GameCameraInputTest : public CombatWorldFixture {
protected:
    void TearDown() override
    {
        gEngine->SetGameTimePaused(false);
        gEngine->GetInputDevice().ReleaseAll();
        CombatWorldFixture::TearDown();
    }

    static bool Finite(const Frustum::Plane& plane)
    {
        return std::isfinite(plane.normal.x) && std::isfinite(plane.normal.y) &&
               std::isfinite(plane.normal.z) && std::isfinite(plane.distance);
    }

    GameCamera camera;
};

TEST_F(GameCameraInputTest, WhilePausedNothingMovesAndNoTimeIsSaved)
{
    camera.Zoom(-3.0f);
    gEngine->SetGameTimePaused(true);
    const float fraction = camera.GetDistanceRange().GetCurrentFraction();
    gEngine->RunFrame(500);
    camera.UpdateFromInput();
    EXPECT_EQ(camera.GetDistanceRange().GetCurrentFraction(), fraction);

    // The paused half second is not made up once the clock runs again.
    gEngine->SetGameTimePaused(false);
    gEngine->RunFrame(100);
    camera.UpdateFromInput();
    // A tenth of a second moves a fifth of the way from 0.989 towards 0.689.
    EXPECT_FLOAT_EQ(camera.GetDistanceRange().GetCurrentFraction(), 0.928989f);
}

TEST_F(GameCameraInputTest, AtYawZeroTheUndergroundFrustumStaysFinite)
{
    Region* cave = TheWorld().CreateRegion(3, {0, 0, 500}, ABBox({0, -5, 0}, {40, 5, 40}));
    cave->SetUnderground(true);
    auto level = std::make_unique<Level>();
    level->SetGridRegion(std::make_unique<GridRegion>(Vec3(4, 4, 4), 10, 2, 10));
    GridRegion* grid = level->GetGridRegion();
    for (int32_t x = 0; x < grid->GetSizeX(); ++x)
        grid->SetValue(x, 0, 4, 1);
    cave->SetLevel(std::move(level));

    camera.SetTarget(WorldVec3(3, {10, 1, 10}));
    camera.SetCameraYaw(0.0f);
    camera.Update();
    camera.UpdateTransparencyFrustum(Viewport(0, 0, 800, 600));
    const Frustum& frustum = camera.GetTransparencyFrustum().GetFrustum();
    for (const Frustum::Plane& plane : frustum.GetPlanes())
        EXPECT_TRUE(Finite(plane));
    ASSERT_EQ(frustum.GetExtraPlanes().size(), 1u);
    EXPECT_TRUE(Finite(frustum.GetExtraPlanes().front()));
    EXPECT_EQ(camera.GetTransparencyHeight(), 0.0f);
    // Looking along +z only the wall across z is scanned: the whole row behind the target.
    ASSERT_EQ(grid->GetTransparencyUpdates().size(), 1u);
    const Frustum::Planes& box = grid->GetTransparencyUpdates().front().GetPlanes();
    EXPECT_FLOAT_EQ(box[0].distance, 0.0f);
    EXPECT_FLOAT_EQ(box[1].distance, 40.0f);
    EXPECT_FLOAT_EQ(box[4].distance, -6.5f);
}

} // namespace
} // namespace GAME::Test
