#pragma once

#include "ai/ControllerPlayerStateBlocked.h"

#include <cstdint>

namespace GAME {

// Trapped until the trap ends; a skill in reach may still be used.
class ControllerPlayerStateTrapped : public ControllerPlayerStateBlocked {
public:
    ~ControllerPlayerStateTrapped() override = default;

    explicit ControllerPlayerStateTrapped(ControllerPlayer* controller)
        : ControllerPlayerStateBlocked(controller, true)
    {}
    void OnBegin() override;
    void OnEnd() override;
    void EndTrap() override { SetState("Idle", ControllerAIStateData()); }
    bool RequestSkillAction(bool flagA, bool flagB, uint32_t skillId, const WorldVec3& point,
                            uint32_t& target) override;
};

} // namespace GAME
