#pragma once

#include "engine/ABBox.h"
#include "engine/Coords.h"

namespace GAME {

// A box of half sizes `extents` along the axes of `coords`, centred on its origin.
struct OBBox {
    Vec3 extents;
    Coords coords;

    constexpr OBBox() = default;
    constexpr OBBox(const Vec3& extents, const Coords& coords) : extents(extents), coords(coords) {}
    constexpr explicit OBBox(const ABBox& box)
        : extents(box.GetExtents()), coords(Coords::FromTranslation(box.GetCenter()))
    {}

    // The smallest axis-aligned box around this one.
    ABBox GetAxisAlignedBox() const;
    // Each local coordinate on a 0.001 grid over [-e, +e), one Platform::Rand draw per axis
    // that has room for a step, in x, y, z order.
    Vec3 GetRandomPoint() const;
};

} // namespace GAME
