#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// One skill from inside a trap, then back to waiting in it.
class ControllerMonsterStateTrappedAttack : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateTrappedAttack(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateTrappedAttack() override = default;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;
    void EndTrap() override;
};

} // namespace GAME
