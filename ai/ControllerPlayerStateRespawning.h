#pragma once

#include "ai/ControllerPlayerStateBlocked.h"

#include <cstdint>

namespace GAME {

// Coming back at the closest respawn point; orders wait for the end of it.
class ControllerPlayerStateRespawning : public ControllerPlayerStateBlocked {
public:
    ~ControllerPlayerStateRespawning() override = default;

    explicit ControllerPlayerStateRespawning(ControllerPlayer* controller)
        : ControllerPlayerStateBlocked(controller, false)
    {}
    void OnBegin() override;
    void HandleEvent(const Name& event) override;
    void CharacterIsDying() override {}
    void CharacterIsDead() override { SetState("Idle", ControllerAIStateData()); }
};

} // namespace GAME
