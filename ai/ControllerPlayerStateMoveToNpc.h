#pragma once

#include "ai/ControllerPlayerStateMoveToActorBase.h"

#include <cstdint>

namespace GAME {

// Walking to an NPC to talk.
class ControllerPlayerStateMoveToNpc : public ControllerPlayerStateMoveToActorBase {
public:
    explicit ControllerPlayerStateMoveToNpc(ControllerPlayer* controller)
        : ControllerPlayerStateMoveToActorBase(controller)
    {}
    ~ControllerPlayerStateMoveToNpc() override = default;

    void RequestNpcAction(bool flagA, bool flagB, const WorldVec3& point, const Npc* npc) override;

protected:
    bool IsTargetValid(uint32_t id) const override;
    void Arrived(uint32_t id) override;
};

} // namespace GAME
