#pragma once

#include "characters/Character.h"

namespace GAME {

// A player character. Grown by the characters subsystem; for now a class record that filters and
// look-ups can test.
class Player : public Character {
    GAME_DECLARE_CLASS(Player)

public:
    Player() = default;
    ~Player() override;
};

} // namespace GAME
