#include "items/LootItemTableRandomizer.h"

#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "items/LootRandomizerTable.h"
#include "items/LootWeights.h"

#include <array>

namespace GAME {

namespace {

enum ListKind { Prefix = 0, Suffix = 1, Broken = 2, NumKinds = 3 };

struct ListKeys {
    std::array<std::array<std::string, LootItemTableRandomizer::kListSize>, NumKinds> names;
    std::array<std::array<std::string, LootItemTableRandomizer::kListSize>, NumKinds> weights;
};

// Built once: every item roll reads its table's forty-five affix keys.
const ListKeys& GetListKeys()
{
    static const ListKeys keys = [] {
        constexpr const char* kKinds[NumKinds] = {"prefix", "suffix", "broken"};
        ListKeys built;
        for (int kind = 0; kind < NumKinds; ++kind) {
            for (uint32_t i = 0; i < LootItemTableRandomizer::kListSize; ++i) {
                const std::string number = std::to_string(i + 1);
                built.names[kind][i] = std::string(kKinds[kind]) + "RandomizerName" + number;
                built.weights[kind][i] = std::string(kKinds[kind]) + "RandomizerWeight" + number;
            }
        }
        return built;
    }();
    return keys;
}

// A modifier is a signed percentage: w + m * w / 100, taken wide so a large weight or modifier
// cannot wrap, and never below nothing.
uint32_t Modify(uint32_t weight, int32_t modifier)
{
    const int64_t wide = static_cast<int64_t>(weight);
    return LootWeight(wide + static_cast<int64_t>(modifier) * wide / 100);
}

} // namespace

void LootItemTableRandomizer::LoadFromDatabase(const std::string& record)
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(record);
    Load(objects.GetLoadTable(record));
}

void LootItemTableRandomizer::Load(const LoadTable& table)
{
    prefixChance = table.GetFloat("prefixRandomizerChance", 0.0f);
    suffixChance = table.GetFloat("suffixRandomizerChance", 0.0f);
    brokenChance = table.GetFloat("brokenRandomizerChance", 0.0f);
    bothPrefixSuffix = LootWeight(table.GetInt("bothPrefixSuffix", 0));
    noPrefixNoSuffix = LootWeight(table.GetInt("noPrefixNoSuffix", 0));
    prefixOnly = LootWeight(table.GetInt("prefixOnly", 0));
    suffixOnly = LootWeight(table.GetInt("suffixOnly", 0));
    brokenOnly = LootWeight(table.GetInt("brokenOnly", 0));

    const ListKeys& keys = GetListKeys();
    std::vector<Entry>* lists[NumKinds] = {&prefixList, &suffixList, &brokenList};
    uint32_t totals[NumKinds] = {0, 0, 0};
    for (std::vector<Entry>* list : lists)
        list->clear();
    for (uint32_t i = 0; i < kListSize; ++i) {
        for (int kind = 0; kind < NumKinds; ++kind) {
            const int32_t weight = table.GetInt(keys.weights[kind][i].c_str(), 0);
            if (weight <= 0)
                continue;
            std::string name = table.GetString(keys.names[kind][i].c_str());
            if (name.empty())
                continue;
            totals[kind] = AddLootWeight(totals[kind], static_cast<uint32_t>(weight));
            lists[kind]->push_back({totals[kind], std::move(name)});
        }
    }
}

void LootItemTableRandomizer::SetWeightModifiers(const RandomizerWeightModifiers& modifiers)
{
    noPrefixNoSuffix = Modify(noPrefixNoSuffix, modifiers.noPrefixNoSuffix);
    bothPrefixSuffix = Modify(bothPrefixSuffix, modifiers.bothPrefixSuffix);
    prefixOnly = Modify(prefixOnly, modifiers.prefixOnly);
    suffixOnly = Modify(suffixOnly, modifiers.suffixOnly);
    brokenOnly = Modify(brokenOnly, modifiers.brokenOnly);
}

void LootItemTableRandomizer::SetNoBrokenItems()
{
    noPrefixNoSuffix = AddLootWeight(noPrefixNoSuffix, brokenOnly);
    brokenOnly = 0;
}

void LootItemTableRandomizer::OverrideWeightsAndChance()
{
    prefixChance = 100.0f;
    suffixChance = 100.0f;
    brokenChance = 100.0f;
    bothPrefixSuffix = 100;
    noPrefixNoSuffix = 0;
    prefixOnly = 0;
    suffixOnly = 0;
    brokenOnly = 100;
}

void LootItemTableRandomizer::GetRandomizerNames(std::string& prefix, std::string& suffix,
                                                 RandomUniform& random)
{
    const uint64_t both = bothPrefixSuffix;
    const uint64_t withPrefix = both + prefixOnly;
    const uint64_t withSuffix = withPrefix + suffixOnly;
    const uint64_t withBroken = withSuffix + brokenOnly;
    const uint32_t total = LootWeight(static_cast<int64_t>(withBroken + noPrefixNoSuffix));
    const uint64_t roll = static_cast<uint64_t>(random.IGenerate(0, static_cast<int32_t>(total)));
    if (roll <= both) {
        DrawFromList(prefixList, prefixChance, prefix, random);
        DrawFromList(suffixList, suffixChance, suffix, random);
    } else if (roll <= withPrefix) {
        DrawFromList(prefixList, prefixChance, prefix, random);
    } else if (roll <= withSuffix) {
        DrawFromList(suffixList, suffixChance, suffix, random);
    } else if (roll <= withBroken) {
        // A broken item carries its broken affix where the prefix goes.
        DrawFromList(brokenList, brokenChance, prefix, random);
    }
}

void LootItemTableRandomizer::DrawFromList(const std::vector<Entry>& list, float chance,
                                           std::string& out, RandomUniform& random)
{
    if (list.empty() || !(random.FGenerate(0.0f, 100.0f) <= chance))
        return;
    const uint32_t roll = static_cast<uint32_t>(
        random.IGenerate(0, LootCumulativeBound(list.back().cumulativeWeight)));
    for (const Entry& entry : list) {
        if (entry.cumulativeWeight > roll) {
            // A name that is no randomizer table leaves the table empty: an empty affix.
            LootRandomizerTable table;
            table.ManualLoad(entry.name);
            table.GetRandomizerName(out, random);
            return;
        }
    }
}

} // namespace GAME
