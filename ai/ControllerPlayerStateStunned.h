#pragma once

#include "ai/ControllerPlayerStateBlocked.h"

#include <cstdint>

namespace GAME {

// Stunned until the stun ends.
class ControllerPlayerStateStunned : public ControllerPlayerStateBlocked {
public:
    ~ControllerPlayerStateStunned() override = default;

    explicit ControllerPlayerStateStunned(ControllerPlayer* controller)
        : ControllerPlayerStateBlocked(controller, true)
    {}
    void OnBegin() override;
    void OnEnd() override;
    void EndStun() override { SetState("Idle", ControllerAIStateData()); }
};

} // namespace GAME
