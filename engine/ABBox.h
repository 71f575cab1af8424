#pragma once

#include "engine/Vec3.h"

namespace GAME {

// An axis-aligned box by its two corners.
struct ABBox {
    Vec3 min;
    Vec3 max;

    constexpr ABBox() = default;
    constexpr ABBox(const Vec3& min, const Vec3& max) : min(min), max(max) {}
    static constexpr ABBox FromCenterAndExtents(const Vec3& center, const Vec3& extents)
    {
        return {center - extents, center + extents};
    }

    constexpr Vec3 GetCenter() const { return (min + max) * 0.5f; }
    // Half sizes.
    constexpr Vec3 GetExtents() const { return (max - min) * 0.5f; }

    constexpr bool operator==(const ABBox& other) const
    {
        return min == other.min && max == other.max;
    }
};

} // namespace GAME
