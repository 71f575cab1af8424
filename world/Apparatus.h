#pragma once

#include "world/Decoration.h"

#include <cstdint>

namespace GAME {

// A piece of scenery that is used now and then, resting a random while between uses.
class Apparatus : public Decoration {
    GAME_DECLARE_CLASS(Apparatus)

public:
    Apparatus() = default;
    ~Apparatus() override;

    void Load(const LoadTable& table) override;
    // Milliseconds, drawn between the record's minimum and maximum.
    int32_t GetPauseTime() const;

    int32_t GetPauseTimeMin() const { return pauseTimeMin; }
    int32_t GetPauseTimeMax() const { return pauseTimeMax; }

private:
    int32_t pauseTimeMin = 0; // ms
    int32_t pauseTimeMax = 0; // ms
};

} // namespace GAME
