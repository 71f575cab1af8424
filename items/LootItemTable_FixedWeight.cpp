#include "items/LootItemTable_FixedWeight.h"

#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "items/LootWeights.h"

#include <array>

namespace GAME {

GAME_IMPLEMENT_CLASS(LootItemTable_FixedWeight, LootBase);

namespace {

struct EntryKeys {
    std::array<std::string, LootItemTable_FixedWeight::kNumEntries> names;
    std::array<std::string, LootItemTable_FixedWeight::kNumEntries> weights;
};

const EntryKeys& GetEntryKeys()
{
    static const EntryKeys keys = [] {
        EntryKeys built;
        for (uint32_t i = 0; i < LootItemTable_FixedWeight::kNumEntries; ++i) {
            built.names[i] = "lootName" + std::to_string(i + 1);
            built.weights[i] = "lootWeight" + std::to_string(i + 1);
        }
        return built;
    }();
    return keys;
}

} // namespace

LootItemTable_FixedWeight::~LootItemTable_FixedWeight() = default;

void LootItemTable_FixedWeight::LoadCumulative(const LoadTable& table, std::vector<Entry>& out)
{
    const EntryKeys& keys = GetEntryKeys();
    out.clear();
    uint32_t total = 0;
    for (uint32_t i = 0; i < kNumEntries; ++i) {
        const int32_t weight = table.GetInt(keys.weights[i].c_str(), 0);
        if (weight <= 0)
            continue;
        std::string name = table.GetString(keys.names[i].c_str());
        if (name.empty())
            continue;
        total = AddLootWeight(total, static_cast<uint32_t>(weight));
        out.push_back({total, std::move(name)});
    }
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
    if (entries.empty())
        return;
    if (overrideIndex >= entries.size())
        overrideIndex = 0;
    base = entries[overrideIndex].name;
    RollAffixes(prefix, suffix, random, true);
    overrideIndex = overrideIndex + 1 >= entries.size() ? 0 : overrideIndex + 1;
}

} // namespace GAME
