#pragma once

#include <cstdint>

namespace GAME {

// How rare an item is; decides the colour of its name and its sparkle. 7 is never produced from
// a record.
enum ItemClassification : int32_t {
    ItemClassification_Common = 0,
    ItemClassification_Magical = 1,
    ItemClassification_Rare = 2,
    ItemClassification_Epic = 3,
    ItemClassification_Legendary = 4,
    ItemClassification_Broken = 5,
    ItemClassification_Potion = 6,
    ItemClassification_Relic = 8,
    ItemClassification_Quest = 9
};

} // namespace GAME
