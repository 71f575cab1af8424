#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Out of action until the stun ends.
class ControllerMonsterStateStunned : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateStunned(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateStunned() override = default;

    void OnBegin() override { TakeStun(); }
    void EndStun() override;
};

} // namespace GAME
