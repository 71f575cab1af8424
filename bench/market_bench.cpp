// A merchant's market at work: a client's rebuild of its whole stock from one update (fifteen
// categories of eight items rolled by name through their loot tables, records cached; budget
// 3 ms); one queued item made and shelved per frame (budget 50 us); and 1,000 purchase requests
// answered by a server market, its own bookkeeping without the transport (budget 100 us).
#include "bench/BenchWorld.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/MarketClient.h"
#include "items/MarketServer.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace GAME {
namespace {

constexpr const char* kMarket = "Records/Market/Bench.dbr";
constexpr const char* kKinds[] = {"Axe",    "Bow",     "Mace",      "Spear",   "Staff",
                                  "Sword",  "Armband", "BodyArmor", "Greaves", "Helm",
                                  "Shield", "Ring",    "Bracelet",  "Amulet",  "Static"};
constexpr int kPerCategory = 8;
constexpr int kTableEntries = 16;

// Fifteen categories of eight goods, each drawn from a table of sixteen items.
struct MarketRecords {
    MarketRecords()
    {
        folder.WriteRecord("Records/Game/ItemCost.dbr", {"jewelryCostEquation = 40"});
        std::string market;
        for (const char* kind : kKinds) {
            const std::string table = std::string("Records/Loot/") + kind + ".dbr";
            std::string entries = "Class = LootItemTable_FixedWeight\n";
            for (int i = 1; i <= kTableEntries; ++i) {
                const std::string item =
                    std::string("Records/Items/") + kind + std::to_string(i) + ".dbr";
                folder.WriteRecord(item, {"Class = ArmorJewelry_Ring", "bitmap = item.tex"});
                entries += "lootName" + std::to_string(i) + " = " + item + "\n";
                entries += "lootWeight" + std::to_string(i) + " = 1\n";
            }
            folder.WriteFile(table, entries);
            const std::string count = std::to_string(kPerCategory);
            market += std::string("marketNum") + kind + "Min = " + count + "\n";
            market += std::string("marketNum") + kind + "Max = " + count + "\n";
            market += std::string("market") + kind + "Table1 = " + table + "\n";
        }
        folder.WriteFile(kMarket, market);
    }
    Test::TempDatabase folder;
};

class MarketBench : private MarketRecords, public Bench::BenchLibrary {
public:
    MarketBench() : BenchLibrary(folder.GetRoot()) { GameEngine::Get().GetRandomGen().Seed(1); }
};

void BM_ClientRebuildsItsStockFromOneUpdate(benchmark::State& state)
{
    MarketBench bench;
    MarketClient market(nullptr, 1);
    // The first rebuild reads and caches every record.
    market.S2C_MarketUpdate(kMarket, 1, 1, {});
    uint32_t seed = 1;
    for (auto _ : state)
        market.S2C_MarketUpdate(kMarket, 1, ++seed, {});
    state.counters["items queued"] = static_cast<double>(market.GetQueuedItemCount());
}
BENCHMARK(BM_ClientRebuildsItsStockFromOneUpdate)->Unit(benchmark::kMicrosecond);

void BM_OneQueuedItemMadePerFrame(benchmark::State& state)
{
    MarketBench bench;
    MarketClient market(nullptr, 1);
    uint32_t seed = 1;
    market.S2C_MarketUpdate(kMarket, 1, seed, {});
    market.Update(0);
    for (auto _ : state) {
        if (market.GetQueuedItemCount() == 0) {
            state.PauseTiming();
            market.S2C_MarketUpdate(kMarket, 1, ++seed, {});
            ObjectManager::Instance().ProcessDestroyedObjects();
            state.ResumeTiming();
        }
        market.Update(0);
    }
    state.counters["stock"] = static_cast<double>(market.GetStockEntries().size());
}
BENCHMARK(BM_OneQueuedItemMadePerFrame)->Unit(benchmark::kMicrosecond);

void BM_ThousandPurchaseRequests(benchmark::State& state)
{
    MarketBench bench;
    MarketServer server(nullptr, 1);
    server.Update(1);
    for (auto _ : state) {
        for (uint32_t request = 0; request < 1000; ++request)
            server.OnPurchaseRequest(server.GetBracket(), server.GetSeed(), request, 7);
        state.PauseTiming();
        server.ForceRefresh();
        server.Update(1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ThousandPurchaseRequests)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
