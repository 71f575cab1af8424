#include "items/LootTable.h"

#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "items/LootNumberedKeys.h"
#include "items/LootRandomizerTable.h"
#include "items/LootWeights.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LootTable, Object);

namespace {

void LoadList(const LoadTable& table, const LootNumberedKeys& keys,
              std::vector<LootTable::Entry>& list, uint32_t& total)
{
    list.clear();
    total = 0;
    keys.ForEachEntry(table, [&](std::string&& name, uint32_t weight) {
        list.push_back({std::move(name), weight});
        total = AddLootWeight(total, weight);
    });
}

// Running-sum rule: the first entry whose sum reaches the roll; null when none does.
const LootTable::Entry* PickRunningSum(const std::vector<LootTable::Entry>& list, int64_t roll)
{
    int64_t runningSum = 0;
    for (const LootTable::Entry& entry : list) {
        runningSum += entry.weight;
        if (runningSum >= roll)
            return &entry;
    }
    return nullptr;
}

} // namespace

LootTable::~LootTable() = default;

void LootTable::Load(const LoadTable& table)
{
    static const LootNumberedKeys itemKeys("lootName", "lootWeight", kNumEntries);
    static const LootNumberedKeys prefixKeys("prefixRandomizerName", "prefixRandomizerWeight",
                                             kNumEntries);
    static const LootNumberedKeys suffixKeys("suffixRandomizerName", "suffixRandomizerWeight",
                                             kNumEntries);
    LoadList(table, itemKeys, items, totalItemWeight);
    prefixChance = table.GetFloat("prefixRandomizerChance", 0.0f);
    LoadList(table, prefixKeys, prefixes, prefixTotal);
    suffixChance = table.GetFloat("suffixRandomizerChance", 0.0f);
    LoadList(table, suffixKeys, suffixes, suffixTotal);
    bothPrefixSuffix = table.GetInt("bothPrefixSuffix", 0);
    noPrefixNoSuffix = table.GetInt("noPrefixNoSuffix", 0);
    prefixOnly = table.GetInt("prefixOnly", 0);
    suffixOnly = table.GetInt("suffixOnly", 0);
}

bool LootTable::ManualLoad(const std::string& record)
{
    if (record.empty())
        return false;
    const LoadTable* table = ObjectManager::Instance().GetDatabase().FindLoadTable(record);
    if (table == nullptr || table->GetString("Class") != "LootTable")
        return false;
    Load(*table);
    return true;
}

void LootTable::GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                            RandomUniform& random)
{
    const Entry* picked =
        PickRunningSum(items, random.IGenerate(0, static_cast<int32_t>(totalItemWeight)));
    if (picked == nullptr)
        return;
    base = picked->name;
    GetRandomizerName(prefixes, prefixChance, static_cast<float>(prefixTotal), prefix, random);
    GetRandomizerName(suffixes, suffixChance, static_cast<float>(suffixTotal), suffix, random);

    // Negative pick weights count as nothing.
    const uint64_t both = LootWeight(bothPrefixSuffix);
    const uint64_t withPrefix = both + LootWeight(prefixOnly);
    const uint64_t withSuffix = withPrefix + LootWeight(suffixOnly);
    const uint32_t total =
        LootWeight(static_cast<int64_t>(withSuffix + LootWeight(noPrefixNoSuffix)));
    const int64_t roll = random.IGenerate(0, static_cast<int32_t>(total));
    if (roll <= static_cast<int64_t>(both))
        return;
    if (roll <= static_cast<int64_t>(withPrefix)) {
        suffix.clear();
    } else if (roll <= static_cast<int64_t>(withSuffix)) {
        prefix.clear();
    } else {
        prefix.clear();
        suffix.clear();
    }
}

void LootTable::GetRandomizerName(const std::vector<Entry>& list, float chance, float total,
                                  std::string& out, RandomUniform& random)
{
    if (!(random.FGenerate(0.0f, 100.0f) < chance))
        return;
    // Saturated: a capped total of 2^31 - 1 rounds up to 2^31 as a float.
    const Entry* picked = PickRunningSum(list, random.IGenerate(0, SaturateToInt(total)));
    if (picked == nullptr)
        return;
    out = picked->name;
    for (int depth = kRandomizerDepth; !out.empty(); --depth) {
        LootRandomizerTable table;
        if (!table.ManualLoad(out))
            return;
        table.GetRandomizerName(out, random);
        if (depth < 1) {
            gEngine->Log(Engine::LogData, "Recursion too deep on LootTable (%s)", out.c_str());
            return;
        }
    }
}

} // namespace GAME
