#include "items/LootLoader.h"

#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "items/LootBase.h"
#include "items/LootTable.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

namespace GAME {

namespace {

constexpr const char* kLootLocationNames[LootLoader::kNumLocations] = {
    "Head",      "Neck",    "Torso",   "LowerBody", "Forearm", "LeftHand",
    "RightHand", "Finger1", "Finger2", "Misc1",     "Misc2",   "Misc3"};

struct LocationKeys {
    std::array<std::string, LootLoader::kMaxLocationCount> weights;
    std::array<std::string, LootLoader::kMaxLocationCount> names;
};

// Built once: a character rolls nine slots on every load and replica.
const std::array<LocationKeys, LootLoader::kNumLocations>& GetLocationKeys()
{
    static const std::array<LocationKeys, LootLoader::kNumLocations> keys = [] {
        std::array<LocationKeys, LootLoader::kNumLocations> built;
        for (uint32_t location = 0; location < LootLoader::kNumLocations; ++location) {
            for (uint32_t i = 0; i < LootLoader::kMaxLocationCount; ++i) {
                const std::string suffix =
                    std::string(kLootLocationNames[location]) + "Item" + std::to_string(i + 1);
                built[location].weights[i] = "chanceToEquip" + suffix;
                built[location].names[i] = "loot" + suffix;
            }
        }
        return built;
    }();
    return keys;
}

// Loot tables a roll passes through before it gives up; nested master tables share it.
constexpr int kLootDepth = 5;

// The caller's count is a loop bound, not a promise of that many keys.
constexpr uint32_t kMaxReserve = 30;

} // namespace

template <typename KeyFor>
void LootLoader::LoadEntries(const LoadTable& table, uint32_t count, uint32_t index, KeyFor keyFor)
{
    entries.clear();
    entries.reserve(std::min(count, kMaxReserve));
    // Summed wide and held to the generator's upper bound: a 32-bit sum of large record weights
    // wraps and then reaches IGenerate as a negative bound.
    uint64_t total = 0;
    for (uint32_t i = 1; i <= count && i != 0; ++i) {
        const int32_t weight = table.GetInt(keyFor(i, false).c_str(), 0);
        if (weight <= 0)
            continue;
        std::string name = table.GetStringAt(keyFor(i, true).c_str(), index);
        if (name.empty())
            continue;
        entries.push_back({std::move(name), static_cast<uint32_t>(weight)});
        total = std::min<uint64_t>(total + static_cast<uint32_t>(weight), INT_MAX);
    }
    totalWeight = static_cast<uint32_t>(total);
}

void LootLoader::Load(const LoadTable& table, Location location, uint32_t count, uint32_t index)
{
    if (count > kMaxLocationCount || location < 0 ||
        static_cast<uint32_t>(location) >= kNumLocations)
        return;
    const LocationKeys& keys = GetLocationKeys()[static_cast<uint32_t>(location)];
    LoadEntries(table, count, index, [&keys](uint32_t i, bool name) -> const std::string& {
        return name ? keys.names[i - 1] : keys.weights[i - 1];
    });
}

void LootLoader::Load(const LoadTable& table, const char* nameKey, const char* weightKey,
                      uint32_t count, uint32_t index)
{
    if (nameKey == nullptr || weightKey == nullptr)
        return;
    const std::string names = nameKey;
    const std::string weights = weightKey;
    LoadEntries(table, count, index, [&names, &weights](uint32_t i, bool name) {
        return (name ? names : weights) + std::to_string(i);
    });
}

void LootLoader::GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                             RandomUniform& random) const
{
    const int32_t roll = random.IGenerate(0, static_cast<int32_t>(totalWeight));
    uint64_t runningSum = 0;
    for (const Entry& entry : entries) {
        runningSum += entry.weight;
        if (runningSum >= static_cast<uint64_t>(std::max(roll, 0))) {
            base = entry.name;
            break;
        }
    }
    if (base.empty())
        return;
    if (LootBase::Handle table = LootBase::Create(base)) {
        table->SetNoBrokenItems(noBrokenItems);
        table->SetRandomizerWeightModifiers(weightModifiers);
        table->SetLevel(level1, level2);
        int depth = kLootDepth;
        table->GetLootName(base, prefix, suffix, random, depth);
        return;
    }
    ValidateSelectLootRecursive(base, prefix, suffix, kLootDepth, random);
}

void LootLoader::ValidateSelectLootRecursive(std::string& base, std::string& prefix,
                                             std::string& suffix, int depth,
                                             RandomUniform& random) const
{
    // A loop rather than the call chain: each step is one table deeper, the bound the same.
    for (; !base.empty(); --depth) {
        LootTable table;
        if (!table.ManualLoad(base))
            return;
        table.GetLootName(base, prefix, suffix, random);
        if (depth <= 0) {
            gEngine->Log(Engine::LogData,
                         "Recursion too deep on LootLoader prefix (%s) or suffix (%s)",
                         prefix.c_str(), suffix.c_str());
            return;
        }
    }
}

} // namespace GAME
