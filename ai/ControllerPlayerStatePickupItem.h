#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Picking up the item of the state data until the action ends.
class ControllerPlayerStatePickupItem : public ControllerPlayerState {
public:
    explicit ControllerPlayerStatePickupItem(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStatePickupItem() override = default;

    void OnBegin() override { PickupItem(GetCurrentAlly()); }
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
