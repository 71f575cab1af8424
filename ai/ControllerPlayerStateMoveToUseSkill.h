#pragma once

#include "ai/ControllerPlayerStateMoveToActorBase.h"

#include <cstdint>

namespace GAME {

// Walking into reach of a skill's target.
class ControllerPlayerStateMoveToUseSkill : public ControllerPlayerStateMoveToActorBase {
public:
    explicit ControllerPlayerStateMoveToUseSkill(ControllerPlayer* controller)
        : ControllerPlayerStateMoveToActorBase(controller)
    {}
    ~ControllerPlayerStateMoveToUseSkill() override = default;

    bool RequestSkillAction(bool flagA, bool flagB, uint32_t skillId, const WorldVec3& point,
                            uint32_t& target) override;

protected:
    bool IsTargetValid(uint32_t id) const override;
    void Arrived(uint32_t id) override;
};

} // namespace GAME
