#include "world/GameCamera.h"

#include "engine/Engine.h"
#include "engine/GridRegion.h"
#include "engine/Region.h"
#include "engine/Viewport.h"
#include "engine/World.h"
#include "tests/support/CombatWorldFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace GAME::Test {
namespace {

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

TEST_F(GameCameraInputTest, ZoomPinsEveryTargetInsideTheRange)
{
    for (const float amount : {100.0f, -100.0f}) {
        camera.Zoom(amount);
        const float pinned = amount > 0.0f ? 1.0f : 0.0f;
        EXPECT_EQ(camera.GetDistanceRange().GetTargetFraction(), pinned);
        EXPECT_EQ(camera.GetPitchRange().GetTargetFraction(), pinned);
    }
}

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
    const float step =
        fraction + (camera.GetDistanceRange().GetTargetFraction() - fraction) * 0.5f * 0.4f;
    EXPECT_FLOAT_EQ(camera.GetDistanceRange().GetCurrentFraction(), step);
}

TEST_F(GameCameraInputTest, BothResetKeysEaseBackAndAShakeFadesWithTheFrames)
{
    camera.Zoom(3.0f);
    gEngine->RunFrame(100);
    camera.UpdateFromInput();
    gEngine->GetInputDevice().SetKeyDown(15, true);
    gEngine->GetInputDevice().SetKeyDown(47, true);
    camera.Shake(250, 1.0f);
    gEngine->RunFrame(100);
    camera.UpdateFromInput();
    EXPECT_FLOAT_EQ(camera.GetDistanceRange().GetTargetFraction(),
                    camera.GetDistanceRange().GetFraction(camera.GetCameraDistanceDefault()));
    EXPECT_EQ(camera.GetShakeTimeLeft(), 150);
    const Vec3 offset = camera.GetCameraOffset();
    EXPECT_LE(std::fabs(offset.x), 0.5f);
    EXPECT_NE(offset, Vec3());
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
