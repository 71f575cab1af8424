#pragma once

#include "engine/Vec3.h"

#include <array>
#include <cstddef>
#include <vector>

namespace GAME {

// Six bounding planes, each a normal and a distance.
class Frustum {
public:
    struct Plane {
        Vec3 normal;
        float distance = 0.0f;
    };
    static constexpr std::size_t kPlaneCount = 6;
    using Planes = std::array<Plane, kPlaneCount>;

    Frustum() = default;
    explicit Frustum(const Planes& planes) : planes(planes) {}

    void SetPlanes(const Planes& newPlanes) { planes = newPlanes; }
    const Planes& GetPlanes() const { return planes; }

    // Every plane moved by the amount along its distance, normals kept.
    Frustum GetInflated(float amount) const;

    // Planes beyond the six that cut the volume further (a view limited to a slab, say).
    void AddPlane(const Plane& plane) { extraPlanes.push_back(plane); }
    const std::vector<Plane>& GetExtraPlanes() const { return extraPlanes; }
    // A plane of that normal through the point: (n, -n.p).
    static Plane PlaneThrough(const Vec3& normal, const Vec3& point);

private:
    Planes planes{};
    std::vector<Plane> extraPlanes;
};

} // namespace GAME
