// Hostile record text: the parser must neither crash, hang nor allocate beyond the input. Loot
// keys read from it (negative or huge weights, empty names) keep the loader's total within the
// generator's range, and a pick is one of the names read.
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "items/LootLoader.h"

#include <climits>
#include <cstdlib>

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

void CheckLoot(const GAME::LootLoader& loader, GAME::RandomUniform& random)
{
    if (loader.GetTotalWeight() > INT_MAX)
        abort();
    uint64_t sum = 0;
    for (const GAME::LootLoader::Entry& entry : loader.GetEntries()) {
        if (entry.name.empty() || entry.weight == 0 || entry.weight > INT_MAX)
            abort();
        sum += entry.weight;
    }
    if (loader.GetTotalWeight() != (sum < INT_MAX ? sum : INT_MAX))
        abort();
    for (int i = 0; i < 4; ++i) {
        std::string base;
        std::string prefix;
        std::string suffix;
        loader.GetLootName(base, prefix, suffix, random);
        if (base.empty() != loader.GetEntries().empty())
            abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        GAME::gEngine->SetLogSink([](int, const std::string&) {});
        return true;
    }();
    (void)quiet;

    GAME::LoadTable table;
    table.Parse(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.dbr");
    // A text refused as no record leaves nothing behind.
    if (table.IsRefused() && table.GetKeyCount() != 0)
        abort();
    // Exercise every getter on a key taken from the input.
    const std::string key(reinterpret_cast<const char*>(data), size < 16 ? size : 16);
    std::vector<int32_t> ints;
    std::vector<float> floats;
    std::vector<std::string> strings;
    for (const char* k : {key.c_str(), "Class", "a"}) {
        table.GetString(k);
        table.GetInt(k, 7);
        table.GetFloat(k, 1.5f);
        table.GetBool(k, true);
        table.GetIntAt(k, 3);
        table.GetFloatAt(k, 2);
        table.GetIntList(k, ints);
        table.GetFloatList(k, floats);
        table.GetStringList(k, strings);
        table.CreateName(k);
    }

    GAME::RandomUniform random;
    random.Seed(static_cast<uint32_t>(size));
    GAME::LootLoader loader;
    for (uint32_t location = 0; location <= GAME::LootLoader::kNumLocations; ++location) {
        for (uint32_t difficulty = 0; difficulty < 3; ++difficulty) {
            loader.Load(table, static_cast<GAME::LootLoader::Location>(location), 6, difficulty);
            CheckLoot(loader, random);
        }
    }
    loader.Load(table, "lootName", "lootWeight", 30, 0);
    CheckLoot(loader, random);
    loader.Load(table, key.c_str(), key.c_str(), 3, 1);
    CheckLoot(loader, random);
    return 0;
}
