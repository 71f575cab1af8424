#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Using the strategic movement object of the state data.
class ControllerPlayerStateDoStrategicMovement : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateDoStrategicMovement(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStateDoStrategicMovement() override = default;

    void OnBegin() override { Use(GetCurrentAlly()); }
};

} // namespace GAME
