#pragma once

#include "ai/ControllerMonsterStateQuestMove.h"

#include <cstdint>

namespace GAME {

// A quest move at walking pace.
class ControllerMonsterStateQuestWalk : public ControllerMonsterStateQuestMove {
public:
    explicit ControllerMonsterStateQuestWalk(ControllerMonster* controller)
        : ControllerMonsterStateQuestMove(controller)
    {}
    ~ControllerMonsterStateQuestWalk() override = default;

protected:
    void GoTo(const WorldVec3& point) override { WalkTo(point, 0); }
};

} // namespace GAME
