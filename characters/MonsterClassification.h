#pragma once

#include <cstdint>

namespace GAME {

// The rank of a monster: its name colour and the affix weights of its loot. Any other record
// word reads as Common.
enum MonsterClassification : int32_t {
    MonsterClassification_Common = 0,
    MonsterClassification_Champion = 1,
    MonsterClassification_Hero = 2,
    MonsterClassification_Boss = 3
};

} // namespace GAME
