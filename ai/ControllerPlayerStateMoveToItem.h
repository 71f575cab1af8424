#pragma once

#include "ai/ControllerPlayerStateMoveToActorBase.h"

#include <cstdint>

namespace GAME {

// Walking to an item to pick it up.
class ControllerPlayerStateMoveToItem : public ControllerPlayerStateMoveToActorBase {
public:
    explicit ControllerPlayerStateMoveToItem(ControllerPlayer* controller)
        : ControllerPlayerStateMoveToActorBase(controller)
    {}
    ~ControllerPlayerStateMoveToItem() override = default;

    void RequestItemAction(bool flagA, bool flagB, const WorldVec3& point,
                           const Item* item) override;

protected:
    bool IsTargetValid(uint32_t id) const override;
    void Arrived(uint32_t id) override;
};

} // namespace GAME
