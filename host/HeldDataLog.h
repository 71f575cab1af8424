#pragma once

#include "engine/Engine.h"

#include <cstddef>
#include <string>
#include <vector>

namespace GAME {

// Holds the engine's data errors while one step of the host runs (a level loading, a port
// opening). A step that fails is told in the host's own one line, and the errors that led to it
// go with it (`Drop`); a step that succeeds lets them through, in order, when this ends. Other
// log lines pass at once.
class HeldDataLog {
public:
    // Past this many held lines the rest pass at once, so that a flood costs no memory.
    static constexpr size_t kMaxHeld = 1000;

    HeldDataLog();
    ~HeldDataLog();
    HeldDataLog(const HeldDataLog&) = delete;
    HeldDataLog& operator=(const HeldDataLog&) = delete;

    // The last data error logged, "" when none; nothing held is let through.
    std::string Drop();

private:
    void Pass(int level, const std::string& line) const;

    Engine::LogSink previous;
    std::vector<std::string> held;
    std::string last;
    bool holding = true;
};

} // namespace GAME
