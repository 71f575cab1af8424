// One loot roll end to end: a loader picks a master table, which picks a dynamic table of 50
// items (level window, bell, equations), which draws its prefix and suffix from two randomizer
// tables. The records are cached after the first roll. Budget 40 us.
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "items/LootLoader.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace GAME {
namespace {

constexpr const char* kMaster = "Records/Loot/Master.dbr";
constexpr const char* kDynamic = "Records/Loot/Dynamic.dbr";

class LootBench {
public:
    LootBench() : previous(gEngine->SetLogSink([](int, const std::string&) {}))
    {
        std::string items;
        for (int i = 0; i < 50; ++i) {
            const std::string item = "Records/Items/Item" + std::to_string(i) + ".dbr";
            folder.WriteRecord(item, {"Class = Item", "itemLevel = " + std::to_string(i)});
            items += (i == 0 ? "" : ";") + item;
        }
        folder.WriteRecord("Records/Loot/Prefixes.dbr",
                           {"Class = LootRandomizerTable", "randomizerName1 = Records/Affix/P1.dbr",
                            "randomizerWeight1 = 3", "randomizerName2 = Records/Affix/P2.dbr",
                            "randomizerWeight2 = 5"});
        folder.WriteRecord("Records/Loot/Suffixes.dbr",
                           {"Class = LootRandomizerTable", "randomizerName1 = Records/Affix/S1.dbr",
                            "randomizerWeight1 = 4", "randomizerName2 = Records/Affix/S2.dbr",
                            "randomizerWeight2 = 4"});
        folder.WriteRecord(
            kDynamic,
            {"Class = LootItemTable_DynWeight", "itemNames = " + items, "defaultWeight = 100",
             "bellSlope = 100;80;60;40;20;10", "minItemLevelEquation = parentLevel - 10",
             "maxItemLevelEquation = parentLevel + 10", "targetLevelEquation = averagePlayerLevel",
             "bothPrefixSuffix = 10", "prefixOnly = 10", "suffixOnly = 10", "noPrefixNoSuffix = 5",
             "prefixRandomizerChance = 100", "suffixRandomizerChance = 100",
             "prefixRandomizerName1 = Records/Loot/Prefixes.dbr", "prefixRandomizerWeight1 = 1",
             "suffixRandomizerName1 = Records/Loot/Suffixes.dbr", "suffixRandomizerWeight1 = 1"});
        folder.WriteRecord(kMaster, {"Class = LootMasterTable",
                                     std::string("lootName1 = ") + kDynamic, "lootWeight1 = 10"});
        ObjectManager::Instance().GetDatabase().SetRoot(folder.GetRoot());
        owner.Parse(std::string("n1 = ") + kMaster + "\nw1 = 1\n", "owner.dbr");
        loader.Load(owner, "n", "w", 1, 0);
        loader.SetLevel(25, 24);
        random.Seed(4242);
    }
    ~LootBench()
    {
        ObjectManager::Instance().DestroyAllObjects();
        ObjectManager::Instance().GetDatabase().SetRoot("");
        gEngine->SetLogSink(previous);
    }

    size_t Roll()
    {
        std::string base;
        std::string prefix;
        std::string suffix;
        loader.GetLootName(base, prefix, suffix, random);
        // The tables a roll made are deleted as at the end of a frame.
        ObjectManager::Instance().ProcessDestroyedObjects();
        return base.size() + prefix.size() + suffix.size();
    }

private:
    Test::TempDatabase folder;
    Engine::LogSink previous;
    LoadTable owner;
    LootLoader loader;
    RandomUniform random;
};

void BM_LootRoll(benchmark::State& state)
{
    LootBench bench;
    size_t named = bench.Roll();
    for (auto _ : state)
        named += bench.Roll();
    benchmark::DoNotOptimize(named);
    // About 47 characters a roll: an item and usually an affix or two, not an empty pick.
    state.counters["chars"] =
        benchmark::Counter(static_cast<double>(named), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LootRoll)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
