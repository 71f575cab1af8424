#include "engine/WorldCamera.h"

#include "core/MathUtils.h"
#include "engine/Viewport.h"

namespace GAME {

namespace {

// A plane through the point with the normal scaled to unit length.
Frustum::Plane PlaneThrough(const Vec3& normal, const Vec3& point)
{
    const Vec3 unit = normal.Unit();
    return Frustum::Plane{unit, -Dot(unit, point)};
}

} // namespace

// A view from above and behind, so that a camera nobody has set up yet still sees its target.
WorldCamera::WorldCamera()
    : distanceDefault(12.0f), pitchDefault(45.0f), distance(12.0f), pitch(DegreesToRadians(45.0f)),
      fieldOfView(DegreesToRadians(30.0f))
{}

WorldCamera::~WorldCamera() = default;

void WorldCamera::Update()
{
    const WorldVec3 target = GetTarget();
    const Vec3 heading(Sin(yaw), 0.0f, Cos(yaw));
    const Vec3 vertical(0.0f, 1.0f, 0.0f);
    // Built from the angles rather than by looking at the target, so that looking straight down
    // still has an up axis.
    const Vec3 forward = heading * Cos(pitch) - vertical * Sin(pitch);
    const Vec3 up = heading * Sin(pitch) + vertical * Cos(pitch);
    const Vec3 origin = target.GetRegionPosition() - forward * distance;
    coords = WorldCoords(target.GetRegionId(), Coords(Cross(forward, up), up, forward, origin));
}

WorldFrustum WorldCamera::GetFrustum(const Viewport& viewport) const
{
    return GetSubFrustum(0.0f, 0.0f, 1.0f, 1.0f, kFarDistance, viewport);
}

WorldFrustum WorldCamera::GetSubFrustum(float left, float top, float right, float bottom,
                                        float depth, const Viewport& viewport) const
{
    const Coords& frame = coords.GetRegionCoords();
    const float aspect =
        viewport.height > 0 && viewport.width > 0
            ? static_cast<float>(viewport.width) / static_cast<float>(viewport.height)
            : 1.0f;
    const float tanVertical = Tan(fieldOfView * 0.5f);
    const float tanHorizontal = tanVertical * aspect;
    const Vec3& eye = frame.origin;
    // The rectangle's edges as slopes off the view axis; screen y grows downwards.
    const float leftSlope = (2.0f * left - 1.0f) * tanHorizontal;
    const float rightSlope = (2.0f * right - 1.0f) * tanHorizontal;
    const float topSlope = (1.0f - 2.0f * top) * tanVertical;
    const float bottomSlope = (1.0f - 2.0f * bottom) * tanVertical;

    Frustum::Planes planes;
    planes[0] = PlaneThrough(frame.forward, eye + frame.forward * kNearDistance);
    planes[1] = PlaneThrough(-frame.forward, eye + frame.forward * depth);
    planes[2] = PlaneThrough(frame.right - frame.forward * leftSlope, eye);
    planes[3] = PlaneThrough(frame.forward * rightSlope - frame.right, eye);
    planes[4] = PlaneThrough(frame.forward * topSlope - frame.up, eye);
    planes[5] = PlaneThrough(frame.up - frame.forward * bottomSlope, eye);
    return WorldFrustum(coords.GetRegionId(), Frustum(planes));
}

} // namespace GAME
