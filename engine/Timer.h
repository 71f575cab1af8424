#pragma once

#include <chrono>
#include <cstdint>

namespace GAME {

// Wall-clock stopwatch, for measuring and throttling, never for game rules.
class Timer {
public:
    Timer() { Start(); }
    void Start() { started = std::chrono::steady_clock::now(); }
    int64_t GetElapsedMilliseconds() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - started)
            .count();
    }
    double GetElapsedSeconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

private:
    std::chrono::steady_clock::time_point started;
};

} // namespace GAME
