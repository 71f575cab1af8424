#include "engine/WorldFrustum.h"

#include "engine/WorldVec3.h"

namespace GAME {

bool WorldFrustum::Contains(const WorldVec3& point) const
{
    Vec3 local;
    if (regionId == 0 || !point.GetPositionInRegion(regionId, local))
        return false;
    const auto inside = [&local](const Frustum::Plane& plane) {
        return Dot(plane.normal, local) + plane.distance >= 0.0f;
    };
    for (const Frustum::Plane& plane : frustum.GetPlanes()) {
        if (!inside(plane))
            return false;
    }
    for (const Frustum::Plane& plane : frustum.GetExtraPlanes()) {
        if (!inside(plane))
            return false;
    }
    return true;
}

} // namespace GAME
