// The sample level played whole by the host, alone: how many times faster than real time the
// game runs (game seconds per wall second), with the frames' own cost printed by the run. And a
// level of many monsters only loaded (its packs grouped) and cleared, at three sizes: the time
// should grow with the count, not with its square; the largest is a level at the reader's
// entity limit, and each gives its peak memory. Last, a crowd of monsters all at one spot,
// played: a frame should cost about what the crowd's size does, so that the level at the limit
// is one the host plays.
#include "engine/LevelFile.h"
#include "host/GameHost.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

// Game milliseconds of the run, from its summary line "summary: M:SS of game time in N frames".
double GameMilliseconds(const std::string& out, int frameMilliseconds)
{
    const size_t at = out.find(" of game time in ");
    if (at == std::string::npos)
        return 0.0;
    return std::stod(out.substr(at + 17)) * frameMilliseconds;
}

// One run of the host with what it printed; false, the benchmark skipped with its error, when
// the run fails.
bool HostRuns(benchmark::State& state, const std::vector<std::string>& args, std::string& printed)
{
    std::ostringstream out;
    std::ostringstream err;
    if (GAME::GameHost::Run(args, out, err) != 0) {
        state.SkipWithError(err.str().c_str());
        return false;
    }
    printed = out.str();
    return true;
}

void LevelPlayedWhole(benchmark::State& state)
{
    const std::vector<std::string> args{"--db", GAME_SAMPLE_DATABASE};
    double gameMs = 0.0;
    std::string out;
    for (auto _ : state) {
        if (!HostRuns(state, args, out))
            return;
        gameMs += GameMilliseconds(out, 33);
    }
    state.counters["times_real_time"] =
        benchmark::Counter(gameMs / 1000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(LevelPlayedWhole)->Unit(benchmark::kMillisecond)->MinTime(3.0);

constexpr const char* kJackal = "Records/Creatures/Monster/Village/PackJackal.dbr";

// The sample database with "Levels/Crowd.lvl" and "Levels/Crowd.route" as given.
const GAME::Test::TempDatabase& CrowdDatabase(const std::string& level, const std::string& route)
{
    static GAME::Test::TempDatabase folder;
    std::filesystem::copy(GAME_SAMPLE_DATABASE, folder.GetRoot(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    folder.WriteFile("Levels/Crowd.lvl", level);
    folder.WriteFile("Levels/Crowd.route", route);
    return folder;
}

// `count` jackals four metres apart on a square, so each has a few within a pack's reach, and a
// route without orders.
const GAME::Test::TempDatabase& GridDatabase(int64_t count)
{
    const auto side = static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(count))));
    std::ostringstream level;
    level << "region 1 0 0 0 -10 -10 -10 " << side * 4 + 10 << " 10 " << side * 4 + 10 << '\n'
          << "Records/Level/Start.dbr 1 0 0 0 90 0-0-0-1 -\n";
    for (int64_t i = 0; i < count; ++i)
        level << kJackal << " 1 " << i % side * 4 + 2 << " 0 " << i / side * 4 + 2 << " 0 - -\n";
    return CrowdDatabase(level.str(), "# no orders: the level is loaded and cleared\n");
}

void LevelOfManyMonstersLoaded(benchmark::State& state)
{
    const std::vector<std::string> args{"--db", GridDatabase(state.range(0)).GetRoot(), "--level",
                                        "Levels/Crowd.lvl"};
    std::string out;
    for (auto _ : state) {
        if (!HostRuns(state, args, out))
            return;
    }
    state.SetComplexityN(state.range(0));
    // The sizes run from small to large, so the process's peak so far is this level's.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
// The largest with the start mark is a level at the reader's entity limit.
BENCHMARK(LevelOfManyMonstersLoaded)
    ->Arg(200)
    ->Arg(2000)
    ->Arg(static_cast<int64_t>(GAME::LevelFile::kMaxEntities) - 1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// `count` jackals on one spot, out of the hero's sight and he out of theirs, and a route of one
// order that changes nothing at frame 150: the level is played for 211 frames, seven seconds of
// game time, long enough for the crowd to roam apart and for the frame that makes it all to
// weigh little in the mean.
const GAME::Test::TempDatabase& SpotDatabase(int64_t count)
{
    std::ostringstream level;
    level << "region 1 0 0 0 -10 -10 -10 60 10 60\n"
          << "Records/Level/Start.dbr 1 0 0 0 90 0-0-0-1 -\n";
    for (int64_t i = 0; i < count; ++i)
        level << kJackal << " 1 40 0 40 0 - -\n";
    return CrowdDatabase(level.str(), "150 release\n");
}

// A figure of the summary's frame cost line, "frame cost: mean M us, 99th percentile P us, worst
// W us; ...", by the words before it.
double FrameCost(const std::string& out, const std::string& before)
{
    const size_t line = out.find("frame cost:");
    const size_t at = line == std::string::npos ? line : out.find(before, line);
    return at == std::string::npos ? 0.0 : std::stod(out.substr(at + before.size()));
}

// A frame of the crowd played by the host, as the summary gives its mean; the sizes run from
// small to large, and each larger crowd's frame is also given as a multiple of the first one's
// (`times_first`) and per monster (`us_per_monster`). Per monster it should stay level except for
// one step: where the crowd's frame no longer fits in the machine's cache.
void LevelOfMonstersAtOneSpotPlayed(benchmark::State& state)
{
    static double firstMeanUs = 0.0;
    const std::vector<std::string> args{"--db", SpotDatabase(state.range(0)).GetRoot(), "--level",
                                        "Levels/Crowd.lvl"};
    std::string out;
    for (auto _ : state) {
        if (!HostRuns(state, args, out))
            return;
        state.SetIterationTime(FrameCost(out, "mean ") / 1e6);
    }
    const double meanUs = FrameCost(out, "mean ");
    if (firstMeanUs == 0.0)
        firstMeanUs = meanUs;
    state.counters["times_first"] = meanUs / firstMeanUs;
    state.counters["us_per_monster"] = meanUs / static_cast<double>(state.range(0));
    state.counters["p99_ms"] = FrameCost(out, "99th percentile ") / 1000.0;
    state.counters["worst_ms"] = FrameCost(out, "worst ") / 1000.0;
}
// The largest with the start mark is a level at the reader's entity limit.
BENCHMARK(LevelOfMonstersAtOneSpotPlayed)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(5000)
    ->Arg(7000)
    ->Arg(static_cast<int64_t>(GAME::LevelFile::kMaxEntities) - 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
