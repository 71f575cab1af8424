#pragma once

#include "ai/ControllerPlayerStateMoveToActorBase.h"

#include <cstdint>

namespace GAME {

// Walking to a fixed item to use it.
class ControllerPlayerStateMoveToFixedItem : public ControllerPlayerStateMoveToActorBase {
public:
    explicit ControllerPlayerStateMoveToFixedItem(ControllerPlayer* controller)
        : ControllerPlayerStateMoveToActorBase(controller)
    {}
    ~ControllerPlayerStateMoveToFixedItem() override = default;

    void RequestFixedItemAction(bool flagA, bool flagB, const WorldVec3& point,
                                const FixedItem* fixedItem) override;

protected:
    bool IsTargetValid(uint32_t id) const override;
    void Arrived(uint32_t id) override;
};

} // namespace GAME
