// The sample level played whole by the host, alone: how many times faster than real time the
// game runs (game seconds per wall second), with the frames' own cost printed by the run. And a
// level of many monsters only loaded (its packs grouped) and cleared, at three sizes: the time
// should grow with the count, not with its square; the largest is a level at the reader's
// entity limit, and each gives its peak memory.
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

// The sample database with "Levels/Crowd.lvl": `count` jackals four metres apart on a square, so
// each has a few within a pack's reach, and a route without orders.
const GAME::Test::TempDatabase& CrowdDatabase(int64_t count)
{
    static GAME::Test::TempDatabase folder;
    std::filesystem::copy(GAME_SAMPLE_DATABASE, folder.GetRoot(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    const auto side = static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(count))));
    std::ostringstream level;
    level << "region 1 0 0 0 -10 -10 -10 " << side * 4 + 10 << " 10 " << side * 4 + 10 << '\n'
          << "Records/Level/Start.dbr 1 0 0 0 90 0-0-0-1 -\n";
    for (int64_t i = 0; i < count; ++i)
        level << "Records/Creatures/Monster/Village/PackJackal.dbr 1 " << i % side * 4 + 2 << " 0 "
              << i / side * 4 + 2 << " 0 - -\n";
    folder.WriteFile("Levels/Crowd.lvl", level.str());
    folder.WriteFile("Levels/Crowd.route", "# no orders: the level is loaded and cleared\n");
    return folder;
}

void LevelOfManyMonstersLoaded(benchmark::State& state)
{
    const std::vector<std::string> args{"--db", CrowdDatabase(state.range(0)).GetRoot(), "--level",
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

} // namespace
