#pragma once

#include <cstdint>

namespace GAME {

// Measures game time (the engine's frame clock, not the wall clock), scaled by a factor, so
// that slowed or sped-up characters see their own frame times.
class GameTimer {
public:
    GameTimer();

    void Reset();
    // Takes the game time since the previous update as this frame's elapsed time.
    void Update();

    // This frame's scaled time, in milliseconds.
    int GetElapsedTime() const { return elapsed; }
    // Scaled time since the last reset, in milliseconds.
    int64_t GetTotalElapsedTime() const { return total; }

    void SetTimeScale(float scale) { timeScale = scale < 0.0f ? 0.0f : scale; }
    float GetTimeScale() const { return timeScale; }

private:
    uint64_t lastGameTime = 0;
    int elapsed = 0;
    int64_t total = 0;
    float timeScale = 1.0f;
    float remainder = 0.0f;
};

} // namespace GAME
