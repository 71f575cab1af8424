#pragma once

#include <cstdint>

namespace GAME {

// The time of day. Nothing is lit here: the manager keeps whether the clock runs by itself and
// the hour it was last set to, and counts the settings.
class DayNightManager {
public:
    static DayNightManager& Instance();

    bool IsEnabled() const { return enabled; }
    void Enable(bool on) { enabled = on; }
    // Hours from midnight.
    void SetStartTime(float hour)
    {
        startTime = hour;
        ++setCount;
    }
    float GetStartTime() const { return startTime; }
    uint32_t GetSetStartTimeCount() const { return setCount; }
    void Reset() { *this = DayNightManager(); }

private:
    bool enabled = true;
    float startTime = 0.0f;
    uint32_t setCount = 0;
};

} // namespace GAME
