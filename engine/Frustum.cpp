#include "engine/Frustum.h"

namespace GAME {

Frustum Frustum::GetInflated(float amount) const
{
    Frustum inflated(*this);
    for (Plane& plane : inflated.planes)
        plane.distance += amount;
    return inflated;
}

} // namespace GAME
