#pragma once

#include "engine/Engine.h"

#include <mutex>
#include <string>
#include <vector>

namespace GAME::Test {

// Collects the engine log's lines while it lives, then restores the previous sink. Lines may come
// from several threads; the counts read them under the same lock.
class LogCapture {
public:
    struct Line {
        int level;
        std::string text;
        bool operator==(const Line& other) const
        {
            return level == other.level && text == other.text;
        }
    };

    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<Line>& GetLines() const { return lines; }
    // How many lines carry exactly this text at this level.
    size_t Count(int level, const std::string& text) const;
    // How many lines contain the fragment, at any level.
    size_t CountContaining(const std::string& fragment) const;
    void Clear() { lines.clear(); }

private:
    mutable std::mutex mutex;
    std::vector<Line> lines;
    Engine::LogSink previous;
};

} // namespace GAME::Test
