#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Idle for long; an attack wakes the player up.
class ControllerPlayerStateLongIdle : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateLongIdle(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStateLongIdle() override = default;

    void OnBegin() override { LongIdle(); }
    void Attacked(uint32_t /*attackerId*/) override { SetState("Idle", ControllerAIStateData()); }
};

} // namespace GAME
