#include "host/HeldDataLog.h"

#include <utility>

namespace GAME {

HeldDataLog::HeldDataLog() : previous(gEngine->SetLogSink(nullptr))
{
    gEngine->SetLogSink([this](int level, const std::string& line) {
        if (level != Engine::LogData) {
            Pass(level, line);
            return;
        }
        last = line;
        if (holding && held.size() < kMaxHeld) {
            held.push_back(line);
            return;
        }
        // Too many to hold: what is held goes first, then each as it comes.
        for (const std::string& one : held)
            Pass(Engine::LogData, one);
        held.clear();
        holding = false;
        Pass(level, line);
    });
}

HeldDataLog::~HeldDataLog()
{
    for (const std::string& line : held)
        Pass(Engine::LogData, line);
    gEngine->SetLogSink(std::move(previous));
}

std::string HeldDataLog::Drop()
{
    held.clear();
    holding = false;
    return last;
}

void HeldDataLog::Pass(int level, const std::string& line) const
{
    if (previous)
        previous(level, line);
}

} // namespace GAME
