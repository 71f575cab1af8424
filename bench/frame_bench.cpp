// One whole frame of a fight as the hub runs it (the engine's frame and `GameEngine::Update`):
// packs of sample monsters against the hero's guards, thinking, closing in, striking, healing,
// dying and dropping loot, with 100, 1,000 and 5,000 monsters, so that the growth with the
// count shows. Each run stages a fresh fight and plays 300 frames of 33 ms after the spawn
// frame. Budget: 1,000 monsters at most 1 ms a frame on average and 2 ms at the 99th
// percentile; 5,000 at most 5.5 times that; the spawn frame of 300 at most 3 ms.
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "host/FrameCostHistogram.h"
#include "host/HostSamples.h"
#include "host/scenarios/HordeFight.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr int32_t kFrameMs = 33;
constexpr int32_t kFrames = 300;
constexpr int32_t kHordeEndsMonsters = 20000;

void BM_HordeFrame(benchmark::State& state)
{
    const Engine::LogSink previous = gEngine->SetLogSink([](int, const std::string&) {});
    ObjectManager::Instance().GetDatabase().SetRoot(GAME_DATABASE);
    HordeFight::Figures figures;
    FrameCostHistogram frames(HordeFight::kFrameMsDecimals);
    bool played = HostSamples::WithLibrary(std::cerr, [&] {
        HordeFight fight(static_cast<int32_t>(state.range(0)), 1, std::cerr);
        if (!fight.Stage())
            return false;
        figures.spawnFrameMs = fight.Frame(kFrameMs);
        for (auto _ : state) {
            const double ms = fight.Frame(kFrameMs);
            state.SetIterationTime(ms / 1000.0);
            frames.Add(ms);
        }
        figures.deaths = fight.CountDeaths();
        return true;
    });
    gEngine->SetLogSink(previous);
    if (!played) {
        state.SkipWithError("the horde did not stage");
        return;
    }
    const HordeFight::Figures sum = HordeFight::Sum(frames, static_cast<int32_t>(state.range(0)));
    state.counters["mean_ms"] = sum.meanMs;
    state.counters["p99_ms"] = sum.p99Ms;
    state.counters["worst_ms"] = sum.worstMs;
    state.counters["per_monster_us"] = sum.perMonsterUs;
    state.counters["spawn_frame_ms"] = figures.spawnFrameMs;
    state.SetLabel(std::to_string(figures.deaths) + " fallen");
}
BENCHMARK(BM_HordeFrame)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->UseManualTime()
    ->Iterations(kFrames)
    ->Unit(benchmark::kMillisecond);

// The host's default horde of 20,000 at two seeds, whole: the spawn and 300 frames. At seed 1
// monsters once ran at their foe and turned back without end inside frame 204; this shows that
// every seed ends, and how long the whole fight takes.
void BM_HordeEnds(benchmark::State& state)
{
    const Engine::LogSink previous = gEngine->SetLogSink([](int, const std::string&) {});
    ObjectManager::Instance().GetDatabase().SetRoot(GAME_DATABASE);
    HordeFight::Figures figures;
    const bool played = HostSamples::WithLibrary(std::cerr, [&] {
        for (auto _ : state) {
            HordeFight fight(kHordeEndsMonsters, static_cast<uint32_t>(state.range(0)), std::cerr);
            if (!fight.Play(kFrames, kFrameMs, figures))
                return false;
        }
        return true;
    });
    gEngine->SetLogSink(previous);
    if (!played) {
        state.SkipWithError("the horde did not stage");
        return;
    }
    state.counters["mean_ms"] = figures.meanMs;
    state.counters["worst_ms"] = figures.worstMs;
    state.SetLabel(std::to_string(figures.deaths) + " fallen");
}
BENCHMARK(BM_HordeEnds)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond);

// Making a pack from cached records: the spawn of 300 and its first frame.
void BM_HordeSpawn(benchmark::State& state)
{
    const Engine::LogSink previous = gEngine->SetLogSink([](int, const std::string&) {});
    ObjectManager::Instance().GetDatabase().SetRoot(GAME_DATABASE);
    HordeFight::Figures figures;
    HostSamples::WithLibrary(std::cerr, [&] {
        for (auto _ : state) {
            HordeFight fight(static_cast<int32_t>(state.range(0)), 1, std::cerr);
            if (!fight.Play(0, kFrameMs, figures))
                return false;
            state.SetIterationTime(figures.spawnFrameMs / 1000.0);
        }
        return true;
    });
    gEngine->SetLogSink(previous);
    state.counters["create_per_monster_us"] = figures.createPerMonsterUs;
    state.counters["spawn_frame_ms"] = figures.spawnFrameMs;
}
BENCHMARK(BM_HordeSpawn)->Arg(300)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace GAME
