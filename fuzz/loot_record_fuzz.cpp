// Hostile loot records rolled with one of three fixed seeds, which the input's length picks (one
// roll an input, three times the inputs): the input holds several records, each after a
// line "@@ <record path>", naming each other as master tables, item tables, chained loot tables
// and randomizer tables, with negative or huge weights and bad equations. Every record is rolled
// as a loader's pick, made as a loot table, and read as a randomizer: no crash, no hang.
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "fuzz/RecordInput.h"
#include "items/LootBase.h"
#include "items/LootItemTableRandomizer.h"
#include "items/LootLoader.h"
#include "items/LootRandomizerTable.h"
#include "items/LootTable.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace GAME;

void Roll(const FuzzRecords& records, uint32_t seed)
{
    RandomUniform random;
    random.Seed(seed);
    LootLoader loader;
    loader.Load(ObjectManager::Instance().GetLoadTable(records.front().first), "lootName",
                "lootWeight", 30, 0);
    loader.SetLevel(seed * 7, seed);
    if (seed % 2 == 0)
        loader.SetNoBrokenItems();
    loader.SetRandomizerWeightModifiers({static_cast<int32_t>(seed) * 50, -100, 2000000000,
                                         -2000000000, static_cast<int32_t>(seed)});
    for (int i = 0; i < 8; ++i) {
        std::string base;
        std::string prefix;
        std::string suffix;
        loader.GetLootName(base, prefix, suffix, random);
    }
    for (const auto& [path, text] : records) {
        std::string base;
        std::string prefix;
        std::string suffix;
        if (LootBase::Handle table = LootBase::Create(path)) {
            int depth = 5;
            table->SetLevel(seed, seed * 3);
            table->GetLootName(base, prefix, suffix, random, depth);
            table->OverrideTest(base, prefix, suffix, random);
        }
        LootTable table;
        if (table.ManualLoad(path))
            table.GetLootName(base, prefix, suffix, random);
        LootRandomizerTable randomizer;
        if (randomizer.ManualLoad(path))
            randomizer.GetRandomizerName(prefix, random);
        LootItemTableRandomizer affixes;
        affixes.LoadFromDatabase(path);
        affixes.SetWeightModifiers({-1, 1000, -200, 2147483647, 0});
        affixes.GetRandomizerNames(prefix, suffix, random);
    }
    ObjectManager::Instance().ProcessDestroyedObjects();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WithFuzzRecords(data, size, "Records/Loot/Loader.dbr", "Records/Loot/Bad",
                    [size](const FuzzRecords& records) {
                        constexpr uint32_t kSeeds[] = {1u, 2u, 977u};
                        Roll(records, kSeeds[size % std::size(kSeeds)]);
                        ObjectManager::Instance().DestroyAllObjects();
                    });
    return 0;
}
