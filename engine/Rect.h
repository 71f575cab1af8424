#pragma once

#include "engine/Vec2.h"

namespace GAME {

// An axis-aligned rectangle from its top-left corner; a point on the shared edge of two
// neighbouring rectangles belongs to exactly one of them.
struct Rect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    constexpr Rect() = default;
    constexpr Rect(float x, float y, float width, float height)
        : x(x), y(y), width(width), height(height)
    {}

    constexpr bool Contains(const Vec2& p) const
    {
        return x <= p.x && p.x < x + width && y <= p.y && p.y < y + height;
    }
};

} // namespace GAME
