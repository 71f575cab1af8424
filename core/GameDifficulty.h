#pragma once

#include <cstdint>

namespace GAME {

// The three ways through the game; per-difficulty lists are indexed by it.
enum GameDifficulty : int32_t {
    GameDifficulty_Normal = 0,
    GameDifficulty_Epic = 1,
    GameDifficulty_Legendary = 2
};

} // namespace GAME
