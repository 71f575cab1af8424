#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Goes to the quest point at its leader's order.
class ControllerMonsterStateMove : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateMove(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kFindEnemy | kQuestDefaults);
    }
    ~ControllerMonsterStateMove() override = default;

    void OnBegin() override;
    void EndOfPathReached() override;
};

} // namespace GAME
