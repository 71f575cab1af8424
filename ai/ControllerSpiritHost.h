#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

// Drives a dormant host that a spirit's burst wakes. So far only the waking.
class ControllerSpiritHost : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerSpiritHost)

public:
    ControllerSpiritHost() = default;
    ~ControllerSpiritHost() override;

    void RegisterStates() override;
    // The host rises and fights as a monster.
    void Animate();
};

} // namespace GAME
