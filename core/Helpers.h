#pragma once

namespace GAME {

// Deletes what the pointer variable owns, if anything, and leaves it null.
template <typename T> void SafeDelete(T*& pointer)
{
    delete pointer;
    pointer = nullptr;
}

template <typename T> constexpr T Min(T a, T b)
{
    return b < a ? b : a;
}
template <typename T> constexpr T Max(T a, T b)
{
    return a < b ? b : a;
}
template <typename T> constexpr T Clamp(T value, T low, T high)
{
    return value < low ? low : (high < value ? high : value);
}

} // namespace GAME
