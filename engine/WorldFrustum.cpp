#include "engine/WorldFrustum.h"

#include "engine/WorldVec3.h"

namespace GAME {

bool WorldFrustum::Contains(const WorldVec3& point) const
{
    Vec3 local;
    if (regionId == 0 || !point.GetPositionInRegion(regionId, local))
        return false;
    for (const Frustum::Plane& plane : frustum.GetPlanes()) {
        if (Dot(plane.normal, local) + plane.distance < 0.0f)
            return false;
    }
    return true;
}

} // namespace GAME
