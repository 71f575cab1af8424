#pragma once

#include "ai/ControllerMonsterState.h"
#include "ai/ControllerMonsterStateIdle.h"

#include <cstdint>

namespace GAME {

// Stands: no leader to defend and no roaming timer.
class ControllerStationaryMonsterStateIdle : public ControllerMonsterStateIdle {
public:
    using ControllerMonsterStateIdle::ControllerMonsterStateIdle;

    void OnBegin() override { Idle(); }
};

// Decides at once: strike the enemy from here, or stand.
class ControllerStationaryMonsterStatePursue : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;

    void OnBegin() override;
};

// Whatever would move the monster leaves it standing.
class ControllerStationaryMonsterStateNoMove : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;

    void OnBegin() override { SwitchTo("Idle"); }
};

} // namespace GAME
