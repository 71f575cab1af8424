#pragma once

#include "core/Helpers.h"

namespace GAME {

// Built at load so that every caller compares against the very same bit patterns.
extern const float gPositiveInfinity;
extern const float gQuietNaN;

// Out of line so that the headers every vector user includes stay free of <cmath>.
float Abs(float value);
float Sqrt(float value);
float Sin(float radians);
float Cos(float radians);
float Tan(float radians);
bool IsFinite(float value);

constexpr float DegreesToRadians(float degrees)
{
    return degrees * 0.017453292f;
}
constexpr float RadiansToDegrees(float radians)
{
    return radians * 57.295776f;
}

} // namespace GAME
