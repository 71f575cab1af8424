#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Using the fixed item of the state data until the action ends.
class ControllerPlayerStateUseFixedItem : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateUseFixedItem(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStateUseFixedItem() override = default;

    void OnBegin() override { Use(GetCurrentAlly()); }
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
