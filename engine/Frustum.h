#pragma once

#include "engine/Vec3.h"

#include <array>
#include <cstddef>

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

private:
    Planes planes{};
};

} // namespace GAME
