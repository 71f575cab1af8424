#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

// The monster controller under its own name, for monsters fighting on the player's side.
class ControllerAlly : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerAlly)

public:
    ControllerAlly() = default;
    ~ControllerAlly() override = default;
};

} // namespace GAME
