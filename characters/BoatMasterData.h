#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// What a boat master offers the player: the master's object name, the text of the passage and
// where it lands.
struct BoatMasterData {
    std::string npcName;
    std::string tag;
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;

    bool operator==(const BoatMasterData&) const = default;
};

} // namespace GAME
