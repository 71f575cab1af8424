// The central object's per-frame cost with nothing happening, and its designer-variable look-up,
// which every experience and penalty equation runs once per name per evaluation.
#include "bench/BenchWorld.h"
#include "game/GameEngine.h"

#include <benchmark/benchmark.h>

namespace GAME {
namespace {

void BM_GameEngine_UpdateIdleFrame(benchmark::State& state)
{
    Bench::BenchLibrary engine;
    for (auto _ : state)
        gGameEngine->Update(16);
}
BENCHMARK(BM_GameEngine_UpdateIdleFrame);

const char* const kNames[] = {"averagePlayerLevel", "minPlayerLevel",     "maxPlayerLevel",
                              "numberOfPlayers",    "gameDifficultyDV",   "monsterLevel",
                              "monsterExperience",  "currentPlayerLevel", "unknownVariable"};

void BM_GameEngine_GetDesignerVariable(benchmark::State& state)
{
    Bench::BenchLibrary engine;
    const char* name = kNames[state.range(0)];
    float value = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(name);
        benchmark::DoNotOptimize(gGameEngine->GetDesignerVariable(name, value));
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(name);
}
BENCHMARK(BM_GameEngine_GetDesignerVariable)->DenseRange(0, 8);

} // namespace
} // namespace GAME
