#include "world/GameCamera.h"

#include "characters/Player.h"
#include "core/Helpers.h"
#include "core/MathUtils.h"
#include "core/RandomHelpers.h"
#include "engine/Engine.h"
#include "engine/GridRegion.h"
#include "engine/Name.h"
#include "engine/Region.h"

#include <cmath>

namespace GAME {

namespace {

constexpr float kPi = 3.1415927f;
// Below this a direction component is taken as none: dividing by it would throw the lattice
// scan to infinity.
constexpr float kTinyDirection = 1e-6f;
// Lattice coordinates beyond this are not a level's; their conversion to an index would be
// undefined.
constexpr float kLatticeReach = 1e6f;

bool InLatticeReach(float value)
{
    return std::isfinite(value) && Abs(value) < kLatticeReach;
}

Frustum BoxFrustum(const Vec3& low, const Vec3& high)
{
    Frustum::Planes planes;
    planes[0] = Frustum::PlaneThrough(Vec3(1, 0, 0), low);
    planes[1] = Frustum::PlaneThrough(Vec3(-1, 0, 0), high);
    planes[2] = Frustum::PlaneThrough(Vec3(0, 1, 0), low);
    planes[3] = Frustum::PlaneThrough(Vec3(0, -1, 0), high);
    planes[4] = Frustum::PlaneThrough(Vec3(0, 0, 1), low);
    planes[5] = Frustum::PlaneThrough(Vec3(0, 0, -1), high);
    return Frustum(planes);
}

// The run of solid lattice entries through the wall, along z (or x), from where the view
// crosses it: false when any index falls outside the lattice.
bool ScanWall(const GridRegion& grid, int32_t wall, int32_t storey, float crossing, bool alongZ,
              int32_t& low, int32_t& high)
{
    if (!InLatticeReach(crossing))
        return false;
    low = static_cast<int32_t>(std::floor(crossing));
    high = static_cast<int32_t>(std::ceil(crossing));
    const auto inside = [&](int32_t run) {
        return alongZ ? grid.IsInside(wall, storey, run) : grid.IsInside(run, storey, wall);
    };
    if (!inside(low) || !inside(high))
        return false;
    const auto solid = [&](int32_t run) {
        return (alongZ ? grid.GetValue(wall, storey, run) : grid.GetValue(run, storey, wall)) != 0;
    };
    const int32_t last = (alongZ ? grid.GetSizeZ() : grid.GetSizeX()) - 1;
    while (solid(low) && low > 0)
        --low;
    while (solid(high) && high < last)
        ++high;
    return true;
}

// The wall next to the target's cell across one horizontal axis (x when the run goes along z,
// else z) that the view crosses, as a box three wide and five high along the solid run.
void UpdateLatticeWall(GridRegion& grid, const Vec3& c, const Vec3& dir, int32_t storey,
                       bool alongZ)
{
    const float across = alongZ ? c.x : c.z;
    const float along = alongZ ? c.z : c.x;
    const float acrossDir = alongZ ? dir.x : dir.z;
    const float alongDir = alongZ ? dir.z : dir.x;
    // A view along the wall never meets it.
    if (Abs(acrossDir) < kTinyDirection)
        return;
    const bool back = acrossDir < 0.0f;
    const float crossing =
        back ? 2.0f * (along + (std::ceil(across) - across) * alongDir / acrossDir)
             : 2.0f * (along + (across - std::floor(across)) / acrossDir * alongDir);
    const int32_t cell = 2 * static_cast<int32_t>(std::floor(across)) + 1;
    const int32_t wall = back ? cell + 1 : cell - 1;
    int32_t low = 0;
    int32_t high = 0;
    if (!ScanWall(grid, wall, storey, crossing, alongZ, low, high))
        return;
    const Vec3& s = grid.GetCellSpacing();
    const float wallAt = static_cast<float>(wall) * 0.5f * (alongZ ? s.x : s.z);
    const float runSpacing = 0.5f * (alongZ ? s.z : s.x);
    const float y = static_cast<float>(storey) * s.y;
    const auto point = [alongZ](float acrossValue, float height, float alongValue) {
        return alongZ ? Vec3(acrossValue, height, alongValue)
                      : Vec3(alongValue, height, acrossValue);
    };
    grid.UpdateTransparency(
        BoxFrustum(point(wallAt - 1.5f, y, static_cast<float>(low) * runSpacing),
                   point(wallAt + 1.5f, y + 5.0f, static_cast<float>(high) * runSpacing)));
}

} // namespace

GameCamera::GameCamera()
    : distanceRange(GetCameraDistance(), 1000.0f, 1.0f),
      yawRange(RadiansToDegrees(GetCameraYaw()), kDefaultYaw, kDefaultYaw),
      pitchRange(RadiansToDegrees(GetCameraPitch()), 89.0f, 0.0f)
{
    ResetToDefaults(true);
}

GameCamera::~GameCamera() = default;

void GameCamera::Update()
{
    UpdateTarget();
    WorldCamera::Update();
}

WorldVec3 GameCamera::GetTarget() const
{
    WorldVec3 result = target;
    if (!result.HasRegion())
        return result;
    result.TranslateInRegion(targetOffset);
    if (result.HasRegion() && shakeTimeLeft > 0)
        result.TranslateInRegion(GetCameraOffset());
    return result;
}

void GameCamera::UpdateTarget()
{
    if (player != nullptr)
        target = player->GetAttachedCoords(Name::Create("Camera")).GetPosition();
}

void GameCamera::Zoom(float amount)
{
    for (CameraRange* range : {&distanceRange, &yawRange, &pitchRange})
        range->SetTargetFraction(Clamp(range->GetTargetFraction() + amount * 0.1f, 0.0f, 1.0f));
}

void GameCamera::ClampTargetOffset()
{
    targetOffset.x = Clamp(targetOffset.x, -kHorizontalOffsetLimit, kHorizontalOffsetLimit);
    targetOffset.y = Clamp(targetOffset.y, -kVerticalOffsetLimit, kVerticalOffsetLimit);
    targetOffset.z = Clamp(targetOffset.z, -kHorizontalOffsetLimit, kHorizontalOffsetLimit);
}

float GameCamera::ShakeNoise(float x)
{
    const float u = (x + RandomFloat(0.0f, 100.0f)) * 0.001f;
    return (0.3f * Sin(2.0f * kPi * u + 15.0f) + 0.5f * Sin(kPi * u * 3.78f + 27.0f) +
            0.9f * Sin(kPi * u * 5.25f + 92.0f) + 3.0f) *
           0.21276596f;
}

void GameCamera::UpdateFromInputImpl()
{
    GameTimer& timer = GetZoomTimer();
    if (gEngine->IsGameTimePaused()) {
        timer.Reset();
        return;
    }
    timer.Update();
    const int64_t elapsed = timer.GetTotalElapsedTime();
    timer.Reset();
    const float f = static_cast<float>(elapsed) * 0.004f;

    if (distanceRange.Step(f))
        SetCameraDistance(distanceRange.GetValue());
    if (pitchRange.Step(f))
        SetCameraPitch(DegreesToRadians(pitchRange.GetValue()));
    if (yawRange.Step(f))
        SetCameraYaw(DegreesToRadians(yawRange.GetValue()));
    const InputDevice& input = gEngine->GetInputDevice();
    if (input.IsKeyDown(15) && input.IsKeyDown(47))
        ResetToDefaults(false);
    SetCameraPitch(DegreesToRadians(Clamp(RadiansToDegrees(GetCameraPitch()), 0.0f, 89.0f)));
    SetCameraDistance(Clamp(GetCameraDistance(), 1.0f, 1000.0f));

    if (shakeTimeLeft <= 0)
        return;
    const float amount =
        static_cast<float>(shakeTimeLeft) / static_cast<float>(shakeDuration) * shakeMagnitude;
    const auto t = static_cast<int64_t>(gEngine->GetGameTime());
    SetCameraOffset(Vec3((ShakeNoise(static_cast<float>(t)) - 0.5f) * amount,
                         (ShakeNoise(static_cast<float>((t + 1500) * 37)) - 0.5f) * amount,
                         (ShakeNoise(static_cast<float>((t + 3800) * 17)) - 0.5f) * amount));
    shakeTimeLeft =
        static_cast<int32_t>(Clamp<int64_t>(shakeTimeLeft - elapsed, INT32_MIN, INT32_MAX));
}

void GameCamera::UpdateTransparencyFrustum(const Viewport& viewport)
{
    if (!target.HasRegion())
        return;
    Vec3 position = target.GetRegionPosition();
    const Vec3& forward = GetCoords().GetRegionCoords().forward;
    Vec3 dir(forward.x, 0.0f, forward.z);
    const float length = dir.Length();
    const bool hasDirection = length >= kTinyDirection;
    dir = hasDirection ? dir * (1.0f / length) : Vec3();
    const Region* region = target.GetRegion();
    if (region != nullptr && region->IsUnderground() && hasDirection)
        UpdateLatticeWalls(*region, position, dir);

    Frustum frustum =
        GetSubFrustum(0.45f, 0.45f, 0.55f, 0.55f, 2.0f * GetCameraDistance(), viewport)
            .GetFrustum();
    position.y -= 1.0f;
    if (hasDirection)
        frustum.AddPlane(Frustum::PlaneThrough(-dir, position - dir * 3.0f));
    transparencyHeight = 0.0f;
    if (player != nullptr) {
        transparencyHeight = position.y + 3.0f;
        frustum.AddPlane(
            Frustum::PlaneThrough(Vec3(0, 1, 0), Vec3(position.x, transparencyHeight, position.z)));
    }
    transparencyFrustum = WorldFrustum(target.GetRegionId(), frustum);
}

void GameCamera::UpdateLatticeWalls(const Region& region, const Vec3& position,
                                    const Vec3& dir) const
{
    const Level* level = region.GetLevel();
    GridRegion* grid = level != nullptr ? level->GetGridRegion() : nullptr;
    if (grid == nullptr)
        return;
    const Vec3& s = grid->GetCellSpacing();
    const Vec3 c(position.x / s.x, position.y / s.y, position.z / s.z);
    if (!InLatticeReach(c.x) || !InLatticeReach(c.y) || !InLatticeReach(c.z))
        return;
    const int32_t iy = static_cast<int32_t>(std::floor(c.y));
    UpdateLatticeWall(*grid, c, dir, iy, true);
    UpdateLatticeWall(*grid, c, dir, iy, false);
}

void GameCamera::Shake(int32_t milliseconds, float magnitude)
{
    shakeTimeLeft = shakeDuration = milliseconds;
    shakeMagnitude = magnitude;
}

void GameCamera::SetMovementExtents(float distanceMin, float distanceMax, float pitchMin,
                                    float pitchMax)
{
    distanceRange.SetValues(distanceMin, distanceMax);
    pitchRange.SetValues(pitchMin, pitchMax);

    const float distance = distanceRange.GetFraction(GetCameraDistance());
    distanceRange.SetCurrentFraction(distance);
    distanceRange.SetTargetFraction(distance);
    const float pitch = pitchRange.GetFraction(RadiansToDegrees(GetCameraPitch()));
    pitchRange.SetCurrentFraction(pitch);
    pitchRange.SetTargetFraction(pitch);
}

void GameCamera::ResetToDefaults(bool full)
{
    targetOffset = Vec3();

    float pitchStart;
    if (full) {
        distanceRange.SetCurrentFraction(distanceRange.GetFraction(GetCameraDistanceDefault()));
        yawRange.SetCurrentFraction(yawRange.GetFraction(kDefaultYaw));
        pitchStart = GetCameraPitchDefault();
    } else {
        distanceRange.SetCurrentFraction(distanceRange.GetFraction(GetCameraDistance()));
        yawRange.SetCurrentFraction(yawRange.GetFraction(RadiansToDegrees(GetCameraYaw())));
        pitchStart = RadiansToDegrees(GetCameraPitch());
    }
    pitchRange.SetCurrentFraction(pitchRange.GetFraction(pitchStart));

    // Only the targets are held inside the extents; a camera pushed outside them eases back in.
    distanceRange.SetTargetFraction(
        Clamp(distanceRange.GetFraction(GetCameraDistanceDefault()), 0.0f, 1.0f));
    yawRange.SetTargetFraction(Clamp(yawRange.GetFraction(kDefaultYaw), 0.0f, 1.0f));
    pitchRange.SetTargetFraction(
        Clamp(pitchRange.GetFraction(GetCameraPitchDefault()), 0.0f, 1.0f));

    SetCameraDistance(distanceRange.GetValue());
    SetCameraYaw(DegreesToRadians(yawRange.GetValue()));
    SetCameraPitch(DegreesToRadians(pitchRange.GetValue()));
    SetCameraFOV(DegreesToRadians(kFieldOfView));
}

} // namespace GAME
