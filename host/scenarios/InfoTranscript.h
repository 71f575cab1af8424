#pragma once

#include "engine/Engine.h"

#include <ostream>
#include <string>
#include <utility>

namespace GAME {

// While it lives, every information line of the log goes to `out`, after `indent`; the rest goes
// where it went before.
class InfoTranscript {
public:
    explicit InfoTranscript(std::ostream& out, std::string indent = "    ")
        : out(out), indent(std::move(indent))
    {
        previous =
            gEngine->SetLogSink([this](int level, const std::string& line) { Write(level, line); });
    }
    ~InfoTranscript() { gEngine->SetLogSink(std::move(previous)); }
    InfoTranscript(const InfoTranscript&) = delete;
    InfoTranscript& operator=(const InfoTranscript&) = delete;

private:
    void Write(int level, const std::string& line)
    {
        if (level != Engine::LogInfo) {
            if (previous)
                previous(level, line);
            return;
        }
        const size_t length = !line.empty() && line.back() == '\n' ? line.size() - 1 : line.size();
        out << indent << line.substr(0, length) << '\n';
    }

    std::ostream& out;
    std::string indent;
    Engine::LogSink previous;
};

} // namespace GAME
