#pragma once

#include "ai/ControllerMonsterStateReturn.h"

namespace GAME {

// The return the monster controller registers: it runs home.
class ControllerMonsterStateReturnFast : public ControllerMonsterStateReturn {
public:
    explicit ControllerMonsterStateReturnFast(ControllerMonster* controller)
        : ControllerMonsterStateReturn(controller)
    {}
    ~ControllerMonsterStateReturnFast() override = default;

protected:
    bool ShouldWalk() override { return false; }
};

} // namespace GAME
