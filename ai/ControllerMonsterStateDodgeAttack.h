#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Steps aside to the point of the data, out of the way of a projectile.
class ControllerMonsterStateDodgeAttack : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateDodgeAttack(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kFindEnemy | kQuestDefaults);
    }
    ~ControllerMonsterStateDodgeAttack() override = default;

    void OnBegin() override;
    void EndOfPathReached() override;
};

} // namespace GAME
