#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

// A monster that never leaves its spot: it strikes what it can reach from there and otherwise
// stands. Only the states of its own table exist.
class ControllerStationaryMonster : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerStationaryMonster)

public:
    ControllerStationaryMonster() = default;
    ~ControllerStationaryMonster() override = default;

    bool CanMove() override { return false; }

protected:
    void RegisterStates() override;
};

} // namespace GAME
