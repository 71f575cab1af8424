#include "world/GameCamera.h"

#include "characters/Player.h"
#include "core/MathUtils.h"
#include "engine/Engine.h"
#include "engine/Viewport.h"
#include "engine/World.h"
#include "tests/support/CombatWorldFixture.h"
#include "world/CameraRange.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME {
namespace {

// The settings that the game engine's record hands the camera, in the order it hands them.
void Configure(GameCamera& camera, float distanceDefault, float pitchDefault)
{
    camera.SetCameraDistanceDefault(distanceDefault);
    camera.SetCameraPitchDefault(pitchDefault);
    camera.SetCameraDistance(distanceDefault);
    camera.SetCameraPitch(DegreesToRadians(pitchDefault));
    camera.SetMovementExtents(5.0f, 25.0f, 20.0f, 60.0f);
}

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

TEST(GameCamera, SettingsPlaceTheViewBetweenTheLimitsAndAFullResetReturnsToIt)
{
    GameCamera camera;
    // The yaw's two ends are both 50 degrees, so 50 is fraction 1.
    EXPECT_FLOAT_EQ(camera.GetYawRange().GetCurrentFraction(), 1.0f);

    Configure(camera, 15.0f, 40.0f);
    EXPECT_FLOAT_EQ(camera.GetDistanceRange().GetCurrentFraction(), 0.5f);
    EXPECT_FLOAT_EQ(camera.GetPitchRange().GetCurrentFraction(), 0.5f);

    camera.SetCameraDistance(30.0f);
    camera.SetCameraPitch(DegreesToRadians(70.0f));
    camera.SetCameraYaw(0.0f);
    camera.ResetToDefaults(true);
    EXPECT_FLOAT_EQ(camera.GetCameraDistance(), 15.0f);
    EXPECT_FLOAT_EQ(camera.GetCameraPitch(), DegreesToRadians(40.0f));
    EXPECT_FLOAT_EQ(camera.GetCameraYaw(), DegreesToRadians(50.0f));
}

TEST(GameCamera, SoftResetStartsFromThePresentViewWithClampedTargets)
{
    GameCamera camera;
    Configure(camera, 40.0f, 40.0f); // a default distance beyond the maximum of 25
    camera.SetCameraDistance(30.0f);
    camera.SetCameraPitch(DegreesToRadians(70.0f));

    camera.ResetToDefaults(false);
    // The present view may lie outside the extents; only the targets are held inside.
    EXPECT_FLOAT_EQ(camera.GetDistanceRange().GetCurrentFraction(), 1.25f);
    EXPECT_EQ(camera.GetDistanceRange().GetTargetFraction(), 1.0f);
    EXPECT_FLOAT_EQ(camera.GetPitchRange().GetCurrentFraction(), 1.25f);
    EXPECT_FLOAT_EQ(camera.GetPitchRange().GetTargetFraction(), 0.5f);
}

TEST(GameCamera, TheTargetMovesByTheShakeOnlyWhileItRuns)
{
    GameCamera camera;
    const WorldVec3 spot(3, {1.0f, 2.0f, 3.0f});
    camera.SetTarget(spot);
    camera.SetCameraOffset({0.5f, 0.0f, 0.0f});

    camera.Shake(0, 1.0f);
    EXPECT_EQ(camera.GetTarget(), spot);
    camera.Shake(400, 1.0f);
    EXPECT_EQ(camera.GetTarget(), WorldVec3(3, {1.5f, 2.0f, 3.0f}));

    // A point in no region is never moved.
    camera.SetTarget(WorldVec3(0, {1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(camera.GetTarget(), WorldVec3(0, {1.0f, 1.0f, 1.0f}));
}

using GameCameraWorldTest = GAME::Test::CombatWorldFixture;

TEST_F(GameCameraWorldTest, FollowsThePlayerAndSeesIt)
{
    const WorldVec3 start(1, {10.0f, 0.0f, 20.0f});
    Player player;
    ASSERT_TRUE(TheWorld().AddEntity(&player, WorldCoords(start), true));

    GameCamera camera;
    camera.SetPlayer(&player);
    camera.Update();
    EXPECT_EQ(camera.GetTarget(), start);
    EXPECT_TRUE(camera.GetFrustum(Viewport(0, 0, 1024, 768)).Contains(start));

    // Without a player the target stays where it was put: the view the game engine takes of
    // the ambience around a position.
    const WorldVec3 position(1, {-30.0f, 2.0f, 45.0f});
    camera.SetPlayer(nullptr);
    camera.SetTarget(position);
    camera.Update();
    const WorldFrustum view = camera.GetFrustum(Viewport(0, 0, 1024, 768));
    EXPECT_TRUE(view.Contains(position));
    EXPECT_FALSE(view.Contains(start));
}

} // namespace
} // namespace GAME
