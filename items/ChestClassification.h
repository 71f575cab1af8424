#pragma once

#include <cstdint>

namespace GAME {

// The loot class of a chest, which weights the affixes of what it drops.
enum ChestClassification : int32_t {
    ChestClassification_Common = 0,
    ChestClassification_Champion = 1,
    ChestClassification_Hero = 2
};

} // namespace GAME
