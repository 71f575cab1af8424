#pragma once

#include "ai/ControllerPlayerStateBlocked.h"

#include <cstdint>

namespace GAME {

// The first state of a living player; it only hands over to "LongIdle".
class ControllerPlayerStateStartup : public ControllerPlayerStateBlocked {
public:
    ~ControllerPlayerStateStartup() override = default;

    explicit ControllerPlayerStateStartup(ControllerPlayer* controller)
        : ControllerPlayerStateBlocked(controller, false)
    {}
    void OnBegin() override;
};

} // namespace GAME
