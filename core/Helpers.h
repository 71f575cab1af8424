#pragma once

namespace GAME {

// Deletes what the pointer variable owns, if anything, and leaves it null.
template <typename T> void SafeDelete(T*& pointer)
{
    delete pointer;
    pointer = nullptr;
}

// The first when it is less (greater) than the second, else the second: with equal values or
// a NaN the second wins, which callers of the float forms rely on.
template <typename T> constexpr T Min(T a, T b)
{
    return a < b ? a : b;
}
template <typename T> constexpr T Max(T a, T b)
{
    return a > b ? a : b;
}
template <typename T> constexpr T Clamp(T value, T low, T high)
{
    return Min(Max(value, low), high);
}

} // namespace GAME
