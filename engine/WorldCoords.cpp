#include "engine/WorldCoords.h"

namespace GAME {

WorldCoords::WorldCoords(const WorldVec3& position)
    : regionId(position.GetRegionId()),
      coords(Coords::FromTranslation(position.GetRegionPosition()))
{}

Region* WorldCoords::GetRegion() const
{
    return GetPosition().GetRegion();
}

void WorldCoords::SetPosition(const WorldVec3& position)
{
    regionId = position.GetRegionId();
    coords.origin = position.GetRegionPosition();
}

void WorldCoords::LookAt(const WorldVec3& from, const WorldVec3& to, const Vec3& up)
{
    Face(from, to, up, false);
}

void WorldCoords::LookAtNoLean(const WorldVec3& from, const WorldVec3& to, const Vec3& up)
{
    Face(from, to, up, true);
}

void WorldCoords::Face(const WorldVec3& from, const WorldVec3& to, const Vec3& up, bool upright)
{
    SetPosition(from);
    Vec3 target;
    if (!to.GetPositionInRegion(from.GetRegionId(), target))
        return;
    Vec3 forward = target - from.GetRegionPosition();
    if (upright) {
        const Vec3 unitUp = up.Unit();
        forward = forward - unitUp * Dot(forward, unitUp);
    }
    // A facing along the up axis leaves the right axis undefined; keep the old frame instead.
    if (Cross(forward, up).LengthSquared() <= 0.0f)
        return;
    coords = Coords::LookAlong(forward, up, coords.origin);
}

void WorldCoords::RotateAroundPoint(const WorldVec3& point, float radians, const Vec3& axis)
{
    Vec3 pivot;
    if (!point.GetPositionInRegion(regionId, pivot))
        return;
    const Coords turn = Coords::RotationAboutAxis(radians, axis);
    Coords moved = coords;
    moved.origin = coords.origin - pivot;
    moved = turn * moved;
    moved.origin += pivot;
    coords = moved;
}

} // namespace GAME
