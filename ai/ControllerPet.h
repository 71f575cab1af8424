#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

// The monster controller under its own name, for the player's pets.
class ControllerPet : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerPet)

public:
    ControllerPet() = default;
    ~ControllerPet() override = default;
};

} // namespace GAME
