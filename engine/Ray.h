#pragma once

#include "engine/Vec3.h"

namespace GAME {

// A half-line; the direction is expected to be a unit vector, so parameters are distances.
struct Ray {
    Vec3 origin;
    Vec3 direction;

    constexpr Ray() = default;
    constexpr Ray(const Vec3& origin, const Vec3& direction) : origin(origin), direction(direction)
    {}

    constexpr Vec3 GetPoint(float t) const { return origin + direction * t; }
};

} // namespace GAME
