#include "engine/CountedLog.h"

namespace GAME {

void CountedLog::Line(const Key& kind, int level, const std::string& text, uint64_t nowMs,
                      const Writer& write)
{
    Kind& counted = kinds[kind];
    counted.level = level;
    counted.last = text;
    ++untold;
    if (counted.rule.Count(nowMs) && !shared)
        write(level, Told(counted, nowMs));
    else if (shared)
        TellDue(nowMs, false, write);
}

void CountedLog::TellDue(uint64_t nowMs, bool all, const Writer& write)
{
    if (untold == 0)
        return;
    if (all) {
        for (auto& [key, kind] : kinds)
            if (kind.rule.Untold() > 0)
                write(kind.level, Told(kind, nowMs));
        return;
    }
    if (shared) {
        if (Kind* kind = together.Due(nowMs) ? Longest() : nullptr)
            write(kind->level, Told(*kind, nowMs));
        return;
    }
    for (auto& [key, kind] : kinds)
        if (kind.rule.Untold() > 0 && kind.rule.Due(nowMs))
            write(kind.level, Told(kind, nowMs));
}

CountedLog::Kind* CountedLog::Longest()
{
    Kind* longest = nullptr;
    for (auto& [key, kind] : kinds)
        if (kind.rule.Untold() > 0 && (longest == nullptr || kind.toldAt < longest->toldAt))
            longest = &kind;
    return longest;
}

// The last of the kind, with how many came since the last line and in all: "<line> (and 211
// more of its kind, 9000 in all)".
std::string CountedLog::Told(Kind& kind, uint64_t nowMs)
{
    const uint64_t count = kind.rule.Untold();
    const uint64_t total = kind.rule.Total();
    std::string line = std::move(kind.last);
    kind.last.clear();
    untold -= count;
    if (count > 1)
        line += " (and " + std::to_string(count - 1) + " more of its kind, " +
                std::to_string(total) + " in all)";
    else if (total > 1)
        line += " (" + std::to_string(total) + " in all)";
    kind.rule.Told(nowMs);
    together.Told(nowMs);
    kind.toldAt = ++lines;
    return line;
}

} // namespace GAME
