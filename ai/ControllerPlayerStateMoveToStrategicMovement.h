#pragma once

#include "ai/ControllerPlayerStateMoveToActorBase.h"

#include <cstdint>

namespace GAME {

// Walking to a strategic movement object to use it.
class ControllerPlayerStateMoveToStrategicMovement : public ControllerPlayerStateMoveToActorBase {
public:
    explicit ControllerPlayerStateMoveToStrategicMovement(ControllerPlayer* controller)
        : ControllerPlayerStateMoveToActorBase(controller)
    {}
    ~ControllerPlayerStateMoveToStrategicMovement() override = default;

    void RequestStrategicMovementAction(bool flagA, bool flagB, const WorldVec3& point,
                                        const StrategicMovementBase* object) override;

protected:
    bool IsTargetValid(uint32_t id) const override;
    void Arrived(uint32_t id) override;
};

} // namespace GAME
