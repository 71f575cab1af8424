#include "engine/Frustum.h"

namespace GAME {

Frustum Frustum::GetInflated(float amount) const
{
    Frustum inflated(*this);
    for (Plane& plane : inflated.planes)
        plane.distance += amount;
    for (Plane& plane : inflated.extraPlanes)
        plane.distance += amount;
    return inflated;
}

Frustum::Plane Frustum::PlaneThrough(const Vec3& normal, const Vec3& point)
{
    return Plane{normal, -Dot(normal, point)};
}

} // namespace GAME
