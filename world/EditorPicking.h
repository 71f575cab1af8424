#pragma once

#include <cstdint>

namespace GAME {

struct Intersection;
struct Ray;
struct Vec3;

// The level editor picks invisible markers as spheres: with a non-zero surface filter and in
// editor mode the ray is tested against the sphere; anywhere else every ray misses.
void PickEditorSphere(const Vec3& center, float radius, const Ray& ray, Intersection& out,
                      int32_t surface);

} // namespace GAME
