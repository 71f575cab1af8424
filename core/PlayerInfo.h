#pragma once

#include <cstdint>

namespace GAME {

// The players of a game in five words, for designer equations and the host.
struct PlayerInfo {
    uint32_t averagePlayerLevel = 0;
    uint32_t minPlayerLevel = 0;
    uint32_t maxPlayerLevel = 0;
    uint32_t numberOfPlayers = 0;
    uint32_t gameDifficulty = 0;

    void Clear() { *this = PlayerInfo(); }
};

} // namespace GAME
