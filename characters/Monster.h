#pragma once

#include "characters/Character.h"

namespace GAME {

// A monster. Grown by the characters subsystem; for now a class record that filters and look-ups
// can test.
class Monster : public Character {
    GAME_DECLARE_CLASS(Monster)

public:
    Monster() = default;
    ~Monster() override;
};

} // namespace GAME
