#pragma once

#include "host/GameHost.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace GAME::Test {

// One run of `gamehost`, as the program would make it, with what it printed.
struct HostRun {
    int status;
    std::string out;
    std::string err;
};

inline HostRun RunHost(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = GameHost::Run(args, out, err);
    return {status, out.str(), err.str()};
}

// The lines of `text` that start with `prefix`.
inline std::string LinesStarting(const std::string& text, const std::string& prefix)
{
    std::istringstream lines(text);
    std::string found;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0)
            found += line + '\n';
    return found;
}

// How many times `piece` stands in `text`, overlaps counted.
inline size_t Occurrences(const std::string& text, const std::string& piece)
{
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// The data errors a run logged, one a line.
inline std::string DataErrors(const std::string& err)
{
    return LinesStarting(err, "[log 1]");
}

// The database shipped with the sources.
inline std::string SampleDatabase()
{
    const char* source = std::getenv("GAME_SOURCE_DIR");
    return std::string(source != nullptr ? source : ".") + "/data/database";
}

// A run on the sample database.
inline HostRun RunSample(std::vector<std::string> args)
{
    args.insert(args.begin(), {"--db", SampleDatabase()});
    return RunHost(args);
}

// A program run to its end in a process of its own.
inline HostRun RunChild(const std::string& program, const std::vector<std::string>& args,
                        const std::string& scratch, const std::string& output = "",
                        std::chrono::minutes limit = std::chrono::minutes(1))
{
    ChildProcess child(program, args, scratch, output);
    const int status = child.Wait(ChildProcess::Clock::now() + limit);
    // Reading /dev/full back would never end.
    return {status, output.rfind("/dev/", 0) == 0 ? "" : child.Output(), child.Errors()};
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The sample database copied into a scratch folder, for a test to change one of its files.
struct SampleCopy {
    TempDatabase folder;
    SampleCopy()
    {
        std::filesystem::copy(SampleDatabase(), folder.GetRoot(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
    }
    HostRun Run(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"--db", folder.GetRoot()});
        return RunHost(args);
    }
};

// A sample run with a scenario's own options first and the test's after them.
inline HostRun RunScenario(std::vector<std::string> args, const std::vector<std::string>& extra)
{
    args.insert(args.end(), extra.begin(), extra.end());
    return RunSample(args);
}

// One boss encounter of the sample.
inline HostRun RunBoss(const std::string& boss, const std::vector<std::string>& extra = {})
{
    return RunScenario({"--scenario", "bosses", "--boss", boss}, extra);
}

// A sample run that several tests read: the run is deterministic, so the program makes it once.
inline const HostRun& SharedSample(const std::vector<std::string>& args)
{
    static std::map<std::vector<std::string>, HostRun> runs;
    auto found = runs.find(args);
    if (found == runs.end())
        found = runs.emplace(args, RunSample(args)).first;
    return found->second;
}

// Each piece must be there, after the end of the one before it (and after `from`).
inline void ExpectInOrder(const std::string& text, const std::vector<std::string>& pieces,
                          size_t from = 0)
{
    size_t at = from;
    for (const std::string& piece : pieces) {
        const size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << piece << "\n" << text;
        at = found + piece.size();
    }
}

// A run that ended well without a data error.
inline void ExpectClean(const HostRun& run)
{
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
}

// A run refused before anything was played: its status, no output, and this error text.
inline void ExpectRefusal(const HostRun& run, int status, const std::string& err)
{
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, err);
}

// A run that failed before anything was played, telling these lines in the program's own voice.
inline void ExpectFailure(const HostRun& run, int status, const std::string& lines)
{
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(LinesStarting(run.err, "gamehost: "), lines);
}

// A clean run that printed each piece in order.
inline void ExpectPlayed(const HostRun& run, const std::vector<std::string>& pieces)
{
    ExpectClean(run);
    ExpectInOrder(run.out, pieces);
}

// The rest of the first line that starts with `prefix` anywhere in the text; empty when none.
inline std::string LineAfter(const std::string& text, const std::string& prefix)
{
    const size_t at = text.find(prefix);
    if (at == std::string::npos)
        return std::string();
    const size_t begin = at + prefix.size();
    return text.substr(begin, text.find('\n', begin) - begin);
}

// What a save must keep, as --dump-stream shows its top-level blocks: the second, and the last
// four but the third.
struct SavedHero {
    std::string skills, bag, equipment, bar;
};

inline SavedHero ReadSavedHero(const std::string& path)
{
    std::istringstream lines(RunHost({"--dump-stream", path}).out);
    std::vector<std::string> blocks;
    for (std::string line; std::getline(lines, line);) {
        if (line == "{")
            blocks.emplace_back();
        else if (line.rfind(' ', 0) == 0 && !blocks.empty())
            blocks.back() += line + '\n';
    }
    const size_t n = blocks.size();
    return n < 6 ? SavedHero{} : SavedHero{blocks[1], blocks[n - 4], blocks[n - 2], blocks[n - 1]};
}

} // namespace GAME::Test
