#include "items/LootRandomizerTable.h"

#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "items/LootNumberedKeys.h"
#include "items/LootWeights.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LootRandomizerTable, Object);

LootRandomizerTable::~LootRandomizerTable() = default;

void LootRandomizerTable::Load(const LoadTable& table)
{
    // Chained affix tables are loaded on every roll.
    static const LootNumberedKeys keys("randomizerName", "randomizerWeight", kNumEntries);
    entries.clear();
    totalWeight = 0;
    keys.ForEachEntry(table, [&](std::string&& name, uint32_t weight) {
        entries.push_back({std::move(name), weight});
        totalWeight = AddLootWeight(totalWeight, weight);
    });
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
