#pragma once

#include "combat/DefenseAttributeStore.h"

#include <cstdint>

namespace GAME {

// A character's own twelve resistances, always all present. Their lists hold one entry per game
// difficulty, so the bio adds them at `GetDifficultyLevel`.
class DefenseAttributeStore_Character : public DefenseAttributeStore {
public:
    virtual void Load(const LoadTable& record);

    // The current game difficulty + 1; 1 while no game engine exists.
    static uint32_t GetDifficultyLevel();
};

} // namespace GAME
