#include "engine/Region.h"

#include "engine/DynamicObstacle.h"

namespace GAME {

Region::Region(uint32_t id, const Vec3& offsetFromWorld, const ABBox& bounds)
    : id(id), offset(offsetFromWorld), bounds(bounds)
{}

Region::~Region()
{
    for (DynamicObstacle* obstacle : obstacles) {
        obstacle->attached = false;
        obstacle->region = nullptr;
    }
}

bool Region::ContainsPoint(const Vec3& worldPoint) const
{
    const Vec3 p = GetRelativePosition(worldPoint);
    return HasFloorAt(p) && bounds.min.y <= p.y && p.y <= bounds.max.y;
}

bool Region::HasFloorAt(const Vec3& regionPosition) const
{
    const Vec3& p = regionPosition;
    return bounds.min.x <= p.x && p.x <= bounds.max.x && bounds.min.z <= p.z && p.z <= bounds.max.z;
}

} // namespace GAME
