#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The command line of `gamehost`.
struct HostOptions {
    std::string databaseFolder;
    std::string dumpStreamFile;
    bool printClasses = false;
    // The sample player and monster, loaded and shown.
    bool showCharacters = false;
    // Three sample monsters die frame by frame; an aura times out; a monster picks a target.
    bool showDeaths = false;
    // The sample player and monster exchange this many seeded hits; 0 for no duel.
    int32_t duelHits = 0;
    bool showHelp = false;
    int frames = 0;
    int frameMilliseconds = 33;
    uint32_t seed = 1;
    // With a role, a game session is played: "single", "server" or "client".
    std::string role;
    // A scripted scene played instead of a session ("actions" or "kill"), in the role given
    // (single when none is; "kill" only as single).
    std::string scenario;
    bool answerYes = true;
    // The main player of a session, made from this record; the save file read into it before
    // the first frame and the one written after the last.
    std::string playerRecord;
    std::string loadFile;
    std::string saveFile;

    // False with `error` set when the command line cannot be understood.
    bool Parse(const std::vector<std::string>& args, std::string& error);
    static const char* Usage();

    // Each hit prints a few dozen lines; this keeps a mistyped count from flooding the output.
    static constexpr int32_t kMaxDuelHits = 1000;
};

} // namespace GAME
