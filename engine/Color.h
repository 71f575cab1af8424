#pragma once

namespace GAME {

// A colour with alpha, each component nominally 0 to 1. The default is opaque white, the
// colour that leaves whatever it tints as it was drawn.
struct Color {
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float alpha = 1.0f;

    constexpr Color() = default;
    constexpr Color(float red, float green, float blue, float alpha)
        : red(red), green(green), blue(blue), alpha(alpha)
    {}

    constexpr bool operator==(const Color& other) const = default;
};

} // namespace GAME
