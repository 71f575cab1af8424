#pragma once

#include <cstdint>

namespace GAME {

// Loot weights come from records and are summed, scaled and handed to IGenerate as a bound: a
// negative weight counts as nothing, and every sum or product is taken wide and held to the
// largest bound the generator takes, so no draw ever gets a wrapped range.
constexpr uint32_t kMaxLootWeight = 2147483647u;

constexpr uint32_t LootWeight(int64_t weight)
{
    return weight <= 0
               ? 0u
               : (weight >= static_cast<int64_t>(kMaxLootWeight) ? kMaxLootWeight
                                                                 : static_cast<uint32_t>(weight));
}

constexpr uint32_t AddLootWeight(uint32_t sum, uint32_t weight)
{
    return LootWeight(static_cast<int64_t>(sum) + static_cast<int64_t>(weight));
}

// The upper bound of a cumulative draw over `total`: IGenerate(0, total - 1), and (0, 0) for an
// empty total, which no cumulative weight can exceed.
constexpr int32_t LootCumulativeBound(uint32_t total)
{
    return total == 0 ? 0 : static_cast<int32_t>(total - 1);
}

} // namespace GAME
