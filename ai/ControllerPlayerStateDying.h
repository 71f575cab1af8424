#pragma once

#include "ai/ControllerPlayerStateBlocked.h"

#include <cstdint>

namespace GAME {

// "Dying" and "Dead": nothing reaches the player until the respawn.
class ControllerPlayerStateDying : public ControllerPlayerStateBlocked {
public:
    ~ControllerPlayerStateDying() override = default;

    explicit ControllerPlayerStateDying(ControllerPlayer* controller)
        : ControllerPlayerStateBlocked(controller, false)
    {}
    void CharacterIsDying() override {}
    void CharacterIsDead() override {}
};

} // namespace GAME
