#pragma once

#include "engine/Vec3.h"

namespace GAME {

struct Ray;

struct Sphere {
    Vec3 center;
    float radius = 0.0f;

    constexpr Sphere() = default;
    constexpr Sphere(const Vec3& center, float radius) : center(center), radius(radius) {}

    // Distance along the unit-direction ray to where it enters the sphere: 0 from inside,
    // positive infinity for a miss.
    static float IntersectRay(const Sphere& sphere, const Ray& ray);
};

} // namespace GAME
