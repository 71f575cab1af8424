// A proxy's load and run against making the same objects by hand: a pool of 30 entries places
// 10 monsters and its accessory pool a chest, around the proxy. Making and placing the 11
// objects directly is the yardstick; the proxy may cost at most 1.3 times as much.
#include "bench/BenchWorld.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "tests/support/TempDatabase.h"
#include "world/Proxy.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr uint32_t kRegion = Bench::BenchWorld::kRegion;
constexpr const char* kProxy = "Records/Spawn/Proxy.dbr";
constexpr const char* kChest = "Records/Spawn/Chest.dbr";
constexpr int kEntries = 30;
constexpr int kMonsters = 10;

std::string Monster(int index)
{
    return "Records/Spawn/Monster" + std::to_string(index) + ".dbr";
}

// The pool of monsters and the chest beside it.
class SpawnRecords {
protected:
    SpawnRecords()
    {
        for (int index = 1; index <= kEntries; ++index)
            folder.WriteRecord(Monster(index), {"Class = Monster"});
        folder.WriteRecord(kChest, {"Class = FixedItem"});
        WritePool();
        folder.WriteRecord("Records/Spawn/Chests.dbr",
                           {"fixedItemChance = 100", std::string("fixedItemName1 = ") + kChest,
                            "fixedItemWeight1 = 1"});
        folder.WriteRecord(kProxy, {"Class = Proxy", "pool1 = Records/Spawn/Pool.dbr",
                                    "accessory1 = Records/Spawn/Chests.dbr"});
    }

    Test::TempDatabase folder;

private:
    void WritePool() const
    {
        std::string text = "spawnMin = " + std::to_string(kMonsters) +
                           "\nspawnMax = " + std::to_string(kMonsters) + "\n";
        for (int index = 1; index <= kEntries; ++index) {
            const std::string n = std::to_string(index);
            text += "name" + n + " = " + Monster(index) + "\nweight" + n + " = " + n +
                    "\ndifficulty" + n + " = 1\nlimit" + n + " = 2\n";
        }
        folder.WriteFile("Records/Spawn/Pool.dbr", text);
    }
};

// The engine with the spawn records and an empty world of one region.
class SpawnGame : private SpawnRecords, public Bench::BenchWorld {
public:
    SpawnGame() : BenchWorld(folder.GetRoot(), 100.0f) {}

    // Everything made since the mark goes, outside the timing.
    static void Clear(benchmark::State& state, uint32_t first)
    {
        state.PauseTiming();
        ObjectManager& objects = ObjectManager::Instance();
        const uint32_t last = objects.CreateObjectID();
        for (uint32_t id = first; id != last; ++id)
            objects.DestroyObjectEx(objects.GetObject(id), "bench", __LINE__);
        objects.ProcessDestroyedObjects();
        state.ResumeTiming();
    }
};

const WorldCoords kCentre(WorldVec3(kRegion, Vec3()));

void BM_ProxyLoadAndRun(benchmark::State& state)
{
    SpawnGame game;
    ObjectManager& objects = ObjectManager::Instance();
    gGameEngine->GetRandomGen().Seed(1);
    for (auto _ : state) {
        const uint32_t first = objects.CreateObjectID();
        auto* proxy = objects.CreateObjectFromFile<Proxy>(kProxy);
        gEngine->GetWorld()->AddEntity(proxy, kCentre, true);
        proxy->InitialUpdate();
        std::vector<uint32_t> placed;
        proxy->GetPlacedObjects(placed);
        if (placed.size() != kMonsters + 1)
            state.SkipWithError("the proxy did not place ten monsters and a chest");
        SpawnGame::Clear(state, first);
    }
}
BENCHMARK(BM_ProxyLoadAndRun);

void BM_CreateAndPlaceDirectly(benchmark::State& state)
{
    SpawnGame game;
    ObjectManager& objects = ObjectManager::Instance();
    World& world = *gEngine->GetWorld();
    std::vector<std::string> records;
    for (int index = 1; index <= kMonsters; ++index)
        records.push_back(Monster(index));
    records.emplace_back(kChest);
    const std::vector<float> radii(records.size(), 2.5f);
    std::vector<WorldVec3> points;
    for (auto _ : state) {
        const uint32_t first = objects.CreateObjectID();
        std::vector<Entity*> made;
        for (const std::string& record : records)
            made.push_back(objects.CreateObjectFromFile<Entity>(record, 0, true));
        PathFinder::Instance().FillPointSet(kCentre.GetPosition(), radii, points);
        for (size_t i = 0; i < made.size() && i < points.size(); ++i)
            world.AddEntity(made[i], WorldCoords(points[i]), true);
        SpawnGame::Clear(state, first);
    }
}
BENCHMARK(BM_CreateAndPlaceDirectly);

} // namespace
} // namespace GAME
