#pragma once

#include <cstdint>

namespace GAME {

// Refusals told as a count, at most a line a window: the first at once, those after it in the
// next line due, with their number; the caller tells what is left at its end. A peer that makes
// this machine refuse as fast as it can costs a line a second, not a line each.
class RefusalLog {
public:
    explicit RefusalLog(uint64_t windowMs = 1000) : windowMs(windowMs) {}

    // Counts one refusal at `nowMs`; true when a line is due, which the caller writes and then
    // marks with Told.
    bool Count(uint64_t nowMs)
    {
        ++total;
        ++untold;
        return Due(nowMs);
    }
    // A line would be due now.
    bool Due(uint64_t nowMs) const
    {
        return !everTold || nowMs < lastMs || nowMs - lastMs >= windowMs;
    }
    void Told(uint64_t nowMs)
    {
        untold = 0;
        lastMs = nowMs;
        everTold = true;
    }
    // Those not yet in a line, and every one.
    uint64_t Untold() const { return untold; }
    uint64_t Total() const { return total; }

private:
    uint64_t windowMs;
    uint64_t total = 0;
    uint64_t untold = 0;
    uint64_t lastMs = 0;
    bool everTold = false;
};

} // namespace GAME
