// The sample level played whole by the host, alone: how many times faster than real time the
// game runs (game seconds per wall second), with the frames' own cost printed by the run.
#include "host/GameHost.h"

#include <benchmark/benchmark.h>

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

void LevelPlayedWhole(benchmark::State& state)
{
    const std::vector<std::string> args{"--db", GAME_SAMPLE_DATABASE};
    double gameMs = 0.0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (GAME::GameHost::Run(args, out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            return;
        }
        gameMs += GameMilliseconds(out.str(), 33);
    }
    state.counters["times_real_time"] =
        benchmark::Counter(gameMs / 1000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(LevelPlayedWhole)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
