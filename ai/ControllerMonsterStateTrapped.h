#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Held in a trap; still strikes at what comes near.
class ControllerMonsterStateTrapped : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateTrapped(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kFindEnemy | kQuestDefaults);
    }
    ~ControllerMonsterStateTrapped() override = default;

    void OnBegin() override { TakeTrap(); }
    void EnemyFound(uint32_t enemyId) override;
    void EndTrap() override;
};

} // namespace GAME
