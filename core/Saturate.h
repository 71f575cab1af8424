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

// Frame timers add whatever time the host hands them; a long session or a huge frame must stop
// a timer at the top rather than wrap it.
inline int32_t AddSaturating(int32_t value, int32_t amount)
{
    const int64_t sum = static_cast<int64_t>(value) + amount;
    return sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : static_cast<int32_t>(sum);
}

// Tallies (kills, hits, points) that a long game or a damaged save brings to the top stay there
// rather than wrap to a small number.
inline uint32_t AddCapped(uint32_t value, uint32_t amount)
{
    const uint64_t sum = static_cast<uint64_t>(value) + amount;
    return sum > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(sum);
}

inline void CountUp(uint32_t& tally, uint32_t amount = 1)
{
    tally = AddCapped(tally, amount);
}

// Counts a time (to live, to the next heal) down by a frame; true once it is used up, to the last
// millisecond too, so that a time the frames divide ends on the frame that reaches 0.
inline bool TimeUsedUp(int32_t& remaining, int32_t elapsedMs)
{
    remaining = AddSaturating(remaining, -elapsedMs);
    return remaining <= 0;
}

} // namespace GAME
