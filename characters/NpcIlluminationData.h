#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// The quest mark shown over a non-player character for this player.
struct NpcIlluminationData {
    std::string npcName;
    // 0xFFFFFFFF: no illumination.
    uint32_t actionId = 0xFFFFFFFFu;

    bool operator==(const NpcIlluminationData&) const = default;
};

} // namespace GAME
