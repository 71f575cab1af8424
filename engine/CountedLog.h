#pragma once

#include "engine/RefusalLog.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

namespace GAME {

// Lines told as counts, by kind (the place that logs, named by its format, and the peer whose
// word it was: each peer's lines are its own), by RefusalLog's rule:
// the first at once, as it is, then at most a line a second, the last of a kind with the number
// of them. Each kind has its second; a log whose kinds share one (`shared`) tells at most a line
// a second of them all, the kind that waited longest, so that a peer that makes this machine log
// every kind it can still costs a line a second. A line that waits is told with the next due, by
// TellDue once its second has passed, or at the end.
class CountedLog {
public:
    using Writer = std::function<void(int level, const std::string& line)>;

    struct Key {
        const void* format = nullptr;
        int peer = -1;
        bool operator==(const Key& other) const = default;
    };

    explicit CountedLog(bool shared = false) : shared(shared) {}

    // Counts `text`, a line of kind `kind`, and writes what is due now.
    void Line(const Key& kind, int level, const std::string& text, uint64_t nowMs,
              const Writer& write);
    // What waits and is due (`all`: every kind that waits, each in a line).
    void TellDue(uint64_t nowMs, bool all, const Writer& write);

private:
    struct Kind {
        RefusalLog rule;
        int level = 0;
        std::string last;
        // When it was last told, in the order of the log's lines; 0 for never.
        uint64_t toldAt = 0;
    };
    std::string Told(Kind& kind, uint64_t nowMs);
    // Of the kinds waiting, the one told longest ago; null for none.
    Kind* Longest();

    bool shared;
    RefusalLog together;
    struct Hash {
        size_t operator()(const Key& key) const
        {
            return std::hash<const void*>()(key.format) ^ (static_cast<size_t>(key.peer) * 31u);
        }
    };
    std::unordered_map<Key, Kind, Hash> kinds;
    // Lines waiting, of every kind: with none, a look for those due costs a test.
    uint64_t untold = 0;
    uint64_t lines = 0;
};

} // namespace GAME
