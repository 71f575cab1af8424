#pragma once

#include <cstdint>

namespace GAME {

// A rectangle of the screen in pixels: its top-left corner and its size.
struct Viewport {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    constexpr Viewport() = default;
    constexpr Viewport(int32_t x, int32_t y, int32_t width, int32_t height)
        : x(x), y(y), width(width), height(height)
    {}
};

} // namespace GAME
