#include "items/LootItemTable_FixedWeight.h"

#include "core/RandomUniform.h"
#include "items/LootNumberedKeys.h"
#include "items/LootWeights.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LootItemTable_FixedWeight, LootBase);

LootItemTable_FixedWeight::~LootItemTable_FixedWeight() = default;

void LootItemTable_FixedWeight::LoadCumulative(const LoadTable& table, std::vector<Entry>& out)
{
    static const LootNumberedKeys keys("lootName", "lootWeight", kNumEntries);
    out.clear();
    uint32_t total = 0;
    keys.ForEachEntry(table, [&](std::string&& name, uint32_t weight) {
        total = AddLootWeight(total, weight);
        out.push_back({total, std::move(name)});
    });
}

const LootItemTable_FixedWeight::Entry*
LootItemTable_FixedWeight::PickCumulative(const std::vector<Entry>& list, RandomUniform& random)
{
    const uint32_t total = list.empty() ? 0 : list.back().cumulativeWeight;
    const int64_t roll = random.IGenerate(0, LootCumulativeBound(total));
    for (const Entry& entry : list) {
        if (entry.cumulativeWeight > roll)
            return &entry;
    }
    return nullptr;
}

void LootItemTable_FixedWeight::Load(const LoadTable& table)
{
    LoadCumulative(table, entries);
    overrideIndex = 0;
}

void LootItemTable_FixedWeight::GetLootName(std::string& base, std::string& prefix,
                                            std::string& suffix, RandomUniform& random,
                                            int& /*depth*/)
{
    if (entries.empty())
        return;
    const Entry* picked = PickCumulative(entries, random);
    if (picked == nullptr)
        return;
    base = picked->name;
    RollAffixes(prefix, suffix, random);
}

void LootItemTable_FixedWeight::OverrideTest(std::string& base, std::string& prefix,
                                             std::string& suffix, RandomUniform& random)
{
    NextOverride(entries, overrideIndex, base, prefix, suffix, random);
}

} // namespace GAME
