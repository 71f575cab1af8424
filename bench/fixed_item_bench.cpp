// Fixed items at rest and a chest's loot. One frame of 1,000 idle fixed items (chests, doors and
// shrines, each with its controller) is measured beside one frame of 1,000 plain actors: budget
// 150 us. A chest's `LoadDropLoot` of three rolls through a master table (records cached) is
// measured against the same three `LootLoader` rolls and `GameEngine::CreateItem` calls made
// directly: at most 1.3 times. Created items are only counted, so both sides pay alike.
#include "bench/BenchWorld.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "items/ItemReplicaInfo.h"
#include "items/LootLoader.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "tests/support/TempDatabase.h"
#include "world/FixedItem.h"
#include "world/FixedItemController.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace GAME {
namespace {

constexpr int kCount = 1000;
constexpr const char* kLoot = "Records/Loot/Chest.dbr";
constexpr const char* kMaster = "Records/Loot/Master.dbr";

class CountingInterface : public GameEngineInboundInterface {
public:
    void CreateItem(uint32_t, const WorldCoords&, const ItemReplicaInfo& item,
                    std::wstring*) override
    {
        created += item.baseName.size();
    }
    size_t created = 0;
};

// A chest of three swords, a door, a shrine and a plain actor.
struct FixedItemRecords {
    FixedItemRecords()
    {
        folder.WriteRecord("Records/Items/Sword.dbr", {"Class = ItemEquipment"});
        folder.WriteRecord(kMaster, {"Class = LootMasterTable",
                                     "lootName1 = Records/Items/Sword.dbr", "lootWeight1 = 1"});
        folder.WriteRecord(kLoot, {"numSpawnMinEquation = 3", "numSpawnMaxEquation = 3",
                                   "loot1Chance = 100", std::string("loot1Name1 = ") + kMaster,
                                   "loot1Weight1 = 1"});
        folder.WriteRecord("Records/Chest.dbr",
                           {"Class = FixedItemContainer", std::string("tables = ") + kLoot});
        folder.WriteRecord("Records/Door.dbr", {"Class = FixedItemDoor"});
        folder.WriteRecord("Records/Shrine.dbr", {"Class = FixedItemShrine"});
        folder.WriteRecord("Records/Actor.dbr", {"Class = Actor"});
    }
    Test::TempDatabase folder;
};

class FixedItemBench : private FixedItemRecords, public Bench::BenchWorld {
public:
    FixedItemBench() : BenchWorld(folder.GetRoot(), ABBox({0, -10, 0}, {400, 10, 400}))
    {
        previousInterface = gGameEngine->GetNetworkInterface();
        gGameEngine->SetNetworkInterface(&counting);
    }
    ~FixedItemBench() { gGameEngine->SetNetworkInterface(previousInterface); }

    // A grid of objects of the records in turn, each placed and set up.
    void Fill(std::initializer_list<const char*> records)
    {
        const std::vector<const char*> kinds(records);
        for (int i = 0; i < kCount; ++i) {
            auto* entity = ObjectManager::Instance().CreateObjectFromFile<Entity>(
                kinds[static_cast<size_t>(i) % kinds.size()]);
            const Vec3 at(10.0f + static_cast<float>(i % 38) * 10.0f, 0.0f,
                          10.0f + static_cast<float>(i / 38) * 10.0f);
            gEngine->GetWorld()->AddEntity(entity, WorldCoords(WorldVec3(1, at)), true);
            entity->InitialUpdate();
        }
    }

    FixedItemController& Chest()
    {
        auto* chest =
            ObjectManager::Instance().CreateObjectFromFile<FixedItem>("Records/Chest.dbr");
        gEngine->GetWorld()->AddEntity(chest, WorldCoords(WorldVec3(1, {5, 0, 5})), true);
        chest->InitialUpdate();
        return *chest->GetController();
    }

    // The three rolls and creations without the chest: the loader reads the loot record's
    // first slot and draws from the shared generator.
    void Direct()
    {
        ObjectManager& objects = ObjectManager::Instance();
        objects.LoadTableFile(kLoot);
        const LoadTable& loot = objects.GetLoadTable(kLoot);
        RandomUniform& random = gGameEngine->GetRandomGen();
        for (int roll = 0; roll < 3; ++roll) {
            LootLoader loader;
            loader.SetNoBrokenItems();
            loader.Load(loot, "loot1Name", "loot1Weight", 6, 0);
            ItemReplicaInfo info;
            loader.GetLootName(info.baseName, info.prefixName, info.suffixName, random);
            info.id = objects.CreateObjectID();
            info.seed = static_cast<uint32_t>(gGameEngine->GetRandomSeed());
            gGameEngine->CreateItem(WorldCoords(WorldVec3(1, {5, 0, 5})), info);
        }
        objects.ProcessDestroyedObjects();
    }

    CountingInterface counting;

private:
    GameEngineNetworkInterface* previousInterface = nullptr;
};

void Frames(benchmark::State& state, std::initializer_list<const char*> records)
{
    FixedItemBench bench;
    bench.Fill(records);
    for (auto _ : state)
        gEngine->RunFrame(16);
}

void BM_IdleFixedItemsFrame(benchmark::State& state)
{
    Frames(state, {"Records/Chest.dbr", "Records/Door.dbr", "Records/Shrine.dbr"});
}
BENCHMARK(BM_IdleFixedItemsFrame)->Unit(benchmark::kMicrosecond);

void BM_PlainActorsFrame(benchmark::State& state)
{
    Frames(state, {"Records/Actor.dbr"});
}
BENCHMARK(BM_PlainActorsFrame)->Unit(benchmark::kMicrosecond);

void BM_ChestLoadDropLoot(benchmark::State& state)
{
    FixedItemBench bench;
    FixedItemController& chest = bench.Chest();
    chest.LoadDropLoot();
    for (auto _ : state) {
        chest.LoadDropLoot();
        ObjectManager::Instance().ProcessDestroyedObjects();
    }
    benchmark::DoNotOptimize(bench.counting.created);
}
BENCHMARK(BM_ChestLoadDropLoot)->Unit(benchmark::kMicrosecond);

void BM_DirectLootRolls(benchmark::State& state)
{
    FixedItemBench bench;
    bench.Direct();
    for (auto _ : state)
        bench.Direct();
    benchmark::DoNotOptimize(bench.counting.created);
}
BENCHMARK(BM_DirectLootRolls)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
