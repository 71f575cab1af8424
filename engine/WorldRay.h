#pragma once

#include "engine/WorldVec3.h"

namespace GAME {

// A half-line starting in a region. The direction is made a unit vector on construction, so
// distances along it are world units.
struct WorldRay {
    WorldVec3 origin;
    Vec3 direction;

    WorldRay() = default;
    WorldRay(const WorldVec3& origin, const Vec3& direction)
        : origin(origin), direction(direction.Unit())
    {}

    WorldVec3 GetPoint(float distance) const
    {
        return WorldVec3(origin.GetRegionId(), origin.GetRegionPosition() + direction * distance);
    }
};

} // namespace GAME
