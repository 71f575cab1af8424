#pragma once

#include <cstdint>

namespace GAME {

// Record values converted to integers (jitter, scaling, scores): out-of-range values saturate
// and not-a-number gives 0, where a plain conversion would be undefined.
inline int32_t SaturateToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value <= -2147483648.0)
        return INT32_MIN;
    if (value >= 2147483647.0)
        return INT32_MAX;
    return static_cast<int32_t>(value);
}

inline uint32_t SaturateToUInt(double value)
{
    if (!(value == value) || value <= 0.0)
        return 0;
    if (value >= 4294967295.0)
        return UINT32_MAX;
    return static_cast<uint32_t>(value);
}

} // namespace GAME
