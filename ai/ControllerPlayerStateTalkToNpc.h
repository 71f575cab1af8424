#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Talking to the NPC of the state data.
class ControllerPlayerStateTalkToNpc : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateTalkToNpc(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStateTalkToNpc() override = default;

    void OnBegin() override { EngageNpc(GetCurrentAlly(), false, false); }
    void RequestNpcAction(bool flagA, bool flagB, const WorldVec3& point, const Npc* npc) override;
};

} // namespace GAME
