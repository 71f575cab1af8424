#pragma once

#include "engine/Frustum.h"

#include <cstdint>

namespace GAME {

class WorldVec3;

// A frustum placed in the world: planes given in the coordinates of one region. A point is
// inside when it lies on the positive side of every plane (normal . p + distance >= 0).
class WorldFrustum {
public:
    WorldFrustum() = default;
    WorldFrustum(uint32_t regionId, const Frustum& frustum) : regionId(regionId), frustum(frustum)
    {}

    uint32_t GetRegionId() const { return regionId; }
    const Frustum& GetFrustum() const { return frustum; }

    // False without a region, or when the point cannot be related to the frustum's region.
    bool Contains(const WorldVec3& point) const;

private:
    uint32_t regionId = 0;
    Frustum frustum;
};

} // namespace GAME
