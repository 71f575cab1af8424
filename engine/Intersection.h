#pragma once

#include "engine/Vec3.h"

#include <cstdint>

namespace GAME {

// Where a ray met something: the distance along it (positive infinity for a miss), the point in
// the ray's own frame or region, and the physics surface code of what was hit.
struct Intersection {
    float distance = gPositiveInfinity;
    Vec3 point;
    uint32_t surface = 0;

    bool IsHit() const { return distance != gPositiveInfinity; }
};

} // namespace GAME
