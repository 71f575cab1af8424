// The doorway's two halves: an outbound operation packed into its reused packet and handed to
// the recording transport (budget 300 ns each), and an item dropped through the inbound side
// against making the same item alone (budget: at most 2 us more).
#include "bench/BenchWorld.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/Vec2.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr const char* kPotion = "Records/Items/Drop.dbr";

ItemReplicaInfo Potion()
{
    ItemReplicaInfo item;
    item.id = 91;
    item.baseName = kPotion;
    item.seed = 12345;
    return item;
}

struct PotionRecords {
    PotionRecords()
    {
        folder.WriteRecord(kPotion, {"Class = OneShot_PotionHealth", "description = tagDrop"});
    }
    Test::TempDatabase folder;
};

class NetworkBench : private PotionRecords, public Bench::BenchWorld {
public:
    NetworkBench() : BenchWorld(folder.GetRoot(), 20.0f) {}

    static void Destroy(uint32_t id)
    {
        ObjectManager& objects = ObjectManager::Instance();
        objects.DestroyObjectEx(objects.GetObject(id), "Bench/Network", __LINE__);
        objects.ProcessDestroyedObjects();
        gEngine->GetPhysicsEngine().Reset();
    }
};

using Operation = std::function<void(GameEngineNetworkInterface&)>;

const std::vector<std::pair<const char*, Operation>>& Operations()
{
    static const WorldCoords at(1, Coords());
    static const std::vector<std::pair<const char*, Operation>> operations = {
        {"GiveGoldToPlayer", [](GameEngineNetworkInterface& i) { i.GiveGoldToPlayer(7, -50); }},
        {"CreateItem",
         [](GameEngineNetworkInterface& i) { i.CreateItem(0, at, Potion(), nullptr); }},
        {"TradeAddItem",
         [](GameEngineNetworkInterface& i) { i.TradeAddItem(1, 2, Vec2(1.0f, 2.0f), Potion()); }},
        {"QuestCommandWalk",
         [](GameEngineNetworkInterface& i) { i.QuestCommandWalk(3, 4, WorldVec3(), true); }},
        {"HandleChatMessage",
         [](GameEngineNetworkInterface& i) {
             i.HandleChatMessage(L"Ana", L"hello", 1, {5, 6});
         }},
    };
    return operations;
}

void BM_Outbound(benchmark::State& state)
{
    NetworkBench bench;
    GameEngineOutboundInterface outbound;
    const auto& [name, operation] = Operations()[static_cast<size_t>(state.range(0))];
    state.SetLabel(name);
    ConnectionManager& transport = gEngine->GetNetworkConnectionManager();
    for (auto _ : state) {
        operation(outbound);
        transport.ClearSentPackets();
    }
}
BENCHMARK(BM_Outbound)->DenseRange(0, 4);

void BM_CreateItemAlone(benchmark::State& state)
{
    NetworkBench bench;
    const ItemReplicaInfo record = Potion();
    for (auto _ : state) {
        Item* item = Item::CreateItem(record);
        benchmark::DoNotOptimize(item);
        state.PauseTiming();
        NetworkBench::Destroy(item->GetObjectId());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateItemAlone);

void BM_InboundDrop(benchmark::State& state)
{
    NetworkBench bench;
    const ItemReplicaInfo record = Potion();
    const WorldCoords at(1, Coords());
    GameEngineNetworkInterface& inbound = *GameEngine::Get().GetInboundNetworkInterface();
    for (auto _ : state) {
        inbound.CreateItem(0, at, record, nullptr);
        state.PauseTiming();
        NetworkBench::Destroy(gEngine->GetPhysicsEngine().GetLinearVelocities().GetLast().objectId);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InboundDrop);

} // namespace
} // namespace GAME
