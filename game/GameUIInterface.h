#pragma once

#include "core/GameDifficulty.h"

#include <cstdint>

namespace GAME {

// The host's user interface, as the game library calls it. The host implements it and hands it
// to the game engine with `SetUI`; every operation answers whether it did what was asked.
class GameUIInterface {
public:
    virtual ~GameUIInterface() = default;

    virtual bool SaveGame() = 0;
    virtual bool SaveGame(GameDifficulty difficulty) = 0;
    virtual bool SaveQuest(bool flag) = 0;
    virtual bool DisplaySkillReallocationWindow(uint32_t npcId) = 0;
};

} // namespace GAME
