#pragma once

#include "ai/ControllerPlayerStateBlocked.h"

#include <cstdint>

namespace GAME {

// Held in place until the immobilisation ends.
class ControllerPlayerStateImmobilized : public ControllerPlayerStateBlocked {
public:
    ~ControllerPlayerStateImmobilized() override = default;

    explicit ControllerPlayerStateImmobilized(ControllerPlayer* controller)
        : ControllerPlayerStateBlocked(controller, true)
    {}
    void OnBegin() override;
    void OnEnd() override;
    void EndImmobilize() override { SetState("Idle", ControllerAIStateData()); }
};

} // namespace GAME
