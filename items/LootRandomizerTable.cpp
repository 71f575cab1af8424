#include "items/LootRandomizerTable.h"

#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "items/LootWeights.h"

#include <array>

namespace GAME {

GAME_IMPLEMENT_CLASS(LootRandomizerTable, Object);

namespace {

struct EntryKeys {
    std::array<std::string, LootRandomizerTable::kNumEntries> names;
    std::array<std::string, LootRandomizerTable::kNumEntries> weights;
};

// Built once: chained affix tables are loaded on every roll.
const EntryKeys& GetEntryKeys()
{
    static const EntryKeys keys = [] {
        EntryKeys built;
        for (uint32_t i = 0; i < LootRandomizerTable::kNumEntries; ++i) {
            built.names[i] = "randomizerName" + std::to_string(i + 1);
            built.weights[i] = "randomizerWeight" + std::to_string(i + 1);
        }
        return built;
    }();
    return keys;
}

} // namespace

LootRandomizerTable::~LootRandomizerTable() = default;

void LootRandomizerTable::Load(const LoadTable& table)
{
    const EntryKeys& keys = GetEntryKeys();
    entries.clear();
    totalWeight = 0;
    for (uint32_t i = 0; i < kNumEntries; ++i) {
        const int32_t weight = table.GetInt(keys.weights[i].c_str(), 0);
        if (weight <= 0)
            continue;
        std::string name = table.GetString(keys.names[i].c_str());
        if (name.empty())
            continue;
        entries.push_back({std::move(name), static_cast<uint32_t>(weight)});
        totalWeight = AddLootWeight(totalWeight, static_cast<uint32_t>(weight));
    }
}

bool LootRandomizerTable::ManualLoad(const std::string& record)
{
    if (record.empty())
        return false;
    const LoadTable* table = ObjectManager::Instance().GetDatabase().FindLoadTable(record);
    if (table == nullptr || table->GetString("Class") != "LootRandomizerTable")
        return false;
    Load(*table);
    return true;
}

void LootRandomizerTable::GetRandomizerName(std::string& out, RandomUniform& random) const
{
    const int64_t roll = random.IGenerate(0, static_cast<int32_t>(totalWeight));
    int64_t runningSum = 0;
    for (const Entry& entry : entries) {
        runningSum += entry.weight;
        if (runningSum >= roll) {
            out = entry.name;
            return;
        }
    }
    out.clear();
}

} // namespace GAME
