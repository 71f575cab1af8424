#pragma once

#include "engine/Color.h"

#include <string>
#include <vector>

namespace GAME {

// The debug display's bar graph. Nothing is drawn: the graph keeps the bars asked for since the
// engine's last frame, in order, so that callers can be checked; each frame starts empty, as a
// display redrawn every frame would.
class StatisticGraph {
public:
    struct Bar {
        std::string name;
        float value = 0.0f;
        Color color;
    };

    void Add(const std::string& name, float value, const Color& color);
    const std::vector<Bar>& GetBars() const { return bars; }
    void Clear() { bars.clear(); }

private:
    std::vector<Bar> bars;
};

} // namespace GAME
