// One monster asking for a place by a target that eight others were already sent to: the eight
// become obstacles for the moment and the path finder looks for a free place round them. The
// budget is 30 microseconds a request.
#include "ai/MovementGoalManager.h"
#include "bench/BenchWorld.h"
#include "characters/Monster.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr const char* kRecord = "Records/Creatures/Crowder.dbr";
constexpr uint32_t kRegion = Bench::BenchWorld::kRegion;
constexpr int kCrowd = 8;

} // namespace

static void BM_MovementGoal_ClosestMovePointWithEightGoals(benchmark::State& state)
{
    Test::TempDatabase folder;
    folder.WriteFile(kRecord, "Class = Monster\ncharacterLife = 100\npathingSize = Small\n");
    const Bench::BenchWorld level(folder.GetRoot(), 50.0f);
    World& world = *gEngine->GetWorld();

    MovementGoalManager goals;
    const WorldVec3 target(kRegion, Vec3(0, 0, 0));
    uint32_t requester = 0;
    for (int index = 0; index <= kCrowd; ++index) {
        auto* monster = ObjectManager::Instance().CreateObjectFromFile<Monster>(kRecord);
        if (monster == nullptr) {
            state.SkipWithError("the monster did not load");
            break;
        }
        monster->SetMeshBoundingBox(ABBox({-0.4f, 0.0f, -0.4f}, {0.4f, 1.6f, 0.4f}));
        const float angle = 6.2831853f * static_cast<float>(index) / kCrowd;
        const Vec3 at(std::cos(angle) * 1.2f, 0.0f, std::sin(angle) * 1.2f);
        world.AddEntity(monster, WorldCoords(kRegion, Coords::FromTranslation(at)), false);
        monster->InitialUpdate();
        requester = monster->GetObjectId();
        // The last one is the asker; the others hold goals round the target.
        if (index < kCrowd)
            goals.GetClosestMovePoint(requester, 0.5f, WorldVec3(kRegion, at));
    }

    for (auto _ : state)
        benchmark::DoNotOptimize(goals.GetClosestMovePoint(requester, 0.5f, target));
    if (goals.GetGoals().size() != kCrowd + 1)
        state.SkipWithError("the goals were not kept");
}
BENCHMARK(BM_MovementGoal_ClosestMovePointWithEightGoals)->Unit(benchmark::kMicrosecond);

} // namespace GAME
