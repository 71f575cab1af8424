// The sight and path queries of the thinking controllers' states. Budgets: FindEnemiesInSight
// among 1,000 characters with 30 in view, 5 us; IsPathClear with 20 entities on the ray, 3 us.
#include "ai/ControllerAI.h"
#include "ai/ControllerAIStateT.h"
#include "bench/BenchWorld.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldRay.h"
#include "engine/WorldVec3.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr const char* kRecord = "Records/Creatures/Watcher.dbr";

class ProbeState : public ControllerAIStateT<ControllerAI, Character> {
public:
    using ControllerAIStateT::ControllerAIStateT;
    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
    using ControllerAIState::FindEnemiesInSight;
    using ControllerAIState::IsPathClear;
};

struct WatcherRecords {
    WatcherRecords() { folder.WriteFile(kRecord, "Class = Monster\ncharacterLife = 100\n"); }
    Test::TempDatabase folder;
};

// A world of monsters with a hero on the players' team at the origin watching them.
class QueryScene : private WatcherRecords, public Bench::BenchWorld {
public:
    explicit QueryScene(benchmark::State& state) : BenchWorld(folder.GetRoot(), 500.0f)
    {
        hero = Add(Vec3(0, 0, 0));
        if (hero == nullptr) {
            state.SkipWithError("the monster did not load");
            return;
        }
        hero->SetTeam(TeamManager::DefaultPlayerTeam());
        controller.SetParentId(hero->GetObjectId());
    }

    Monster* Add(const Vec3& at)
    {
        auto* monster = ObjectManager::Instance().CreateObjectFromFile<Monster>(kRecord);
        if (monster == nullptr)
            return nullptr;
        gEngine->GetWorld()->AddEntity(monster, WorldCoords(kRegion, Coords::FromTranslation(at)),
                                       false);
        monster->InitialUpdate();
        return monster;
    }

    ProbeState& Probe()
    {
        if (!probe)
            probe = std::make_unique<ProbeState>(&controller);
        return *probe;
    }

    Monster* hero = nullptr;

private:
    ControllerAI controller;
    std::unique_ptr<ProbeState> probe;
};

void BM_FindEnemiesInSight_1000Characters30InView(benchmark::State& state)
{
    QueryScene scene(state);
    if (scene.hero == nullptr)
        return;
    // 30 on a ring inside the view distance, the rest on a grid well outside it.
    for (int index = 0; index < 30; ++index) {
        const float angle = 6.2831853f * static_cast<float>(index) / 30.0f;
        scene.Add(Vec3(std::cos(angle) * 12.0f, 0.0f, std::sin(angle) * 12.0f));
    }
    for (int index = 0; index < 969; ++index) {
        const float x = 40.0f + static_cast<float>(index % 31) * 12.0f;
        const float z = -180.0f + static_cast<float>(index / 31) * 12.0f;
        scene.Add(Vec3(x, 0.0f, z));
    }
    std::vector<Character*> found;
    for (auto _ : state) {
        scene.Probe().FindEnemiesInSight(found);
        benchmark::DoNotOptimize(found.data());
    }
    if (found.size() != 30)
        state.SkipWithError("the wrong characters were seen");
}
BENCHMARK(BM_FindEnemiesInSight_1000Characters30InView);

void BM_IsPathClear_20EntitiesOnTheRay(benchmark::State& state)
{
    QueryScene scene(state);
    if (scene.hero == nullptr)
        return;
    Monster* target = scene.Add(Vec3(25, 0, 0));
    // Movers, not walls: every one is looked at and none blocks.
    for (int index = 0; index < 20; ++index) {
        Monster* mover = scene.Add(Vec3(1.0f + static_cast<float>(index), 0.5f, 0.0f));
        if (mover != nullptr)
            mover->SetPhysicsType(1);
    }
    if (target == nullptr)
        return;
    // The sight line runs at the characters' middles, one unit up.
    std::vector<Entity*> onRay;
    gEngine->GetWorld()->GetAllIntersections(
        WorldRay(WorldVec3(QueryScene::kRegion, Vec3(0, 1, 0)), {1, 0, 0}), onRay, true, 25.0f);
    if (onRay.size() != 22)
        state.SkipWithError("the movers are not on the ray");
    const uint32_t targetId = target->GetObjectId();
    Entity* blocker = nullptr;
    bool clear = false;
    for (auto _ : state) {
        clear = scene.Probe().IsPathClear(targetId, blocker);
        benchmark::DoNotOptimize(clear);
    }
    if (!clear)
        state.SkipWithError("the path was blocked");
}
BENCHMARK(BM_IsPathClear_20EntitiesOnTheRay);

} // namespace
} // namespace GAME
