#pragma once

#include <cstdint>

namespace GAME {

// Extra weights for the affix combinations of generated loot, in the order the loot randomizer
// adds them to its draw.
struct RandomizerWeightModifiers {
    int32_t noPrefixNoSuffix = 0;
    int32_t bothPrefixSuffix = 0;
    int32_t prefixOnly = 0;
    int32_t suffixOnly = 0;
    int32_t brokenOnly = 0;

    bool operator==(const RandomizerWeightModifiers& other) const = default;
};

} // namespace GAME
