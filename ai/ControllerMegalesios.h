#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

// Waits invincible for the quest's word, launches its bursts, then burns the conduit with its
// first special attack until the conduit dies; after that it is an ordinary monster.
class ControllerMegalesios : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerMegalesios)

public:
    ControllerMegalesios() = default;
    ~ControllerMegalesios() override;

protected:
    void RegisterStates() override;
};

// The conduit stands and dies; it neither looks for foes nor strikes back.
class ControllerMegalesiosConduit : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerMegalesiosConduit)

public:
    ControllerMegalesiosConduit() = default;
    ~ControllerMegalesiosConduit() override;

    // A blow would send it after the attacker, into a state it does not have.
    void UnderAttack(uint32_t /*attackerId*/) override {}
    void AllyAttacked(uint32_t /*allyId*/, uint32_t /*attackerId*/) override {}

protected:
    void RegisterStates() override;
};

} // namespace GAME
