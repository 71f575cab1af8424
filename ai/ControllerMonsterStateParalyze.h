#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Frozen facing the enemy, the longer the nearer (in bands of 25), then panics.
class ControllerMonsterStateParalyze : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateParalyze(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateParalyze() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;

    // How long a monster d away from its enemy stays frozen, in ms.
    static int32_t GetParalyzeTime(float distance);

private:
    int32_t paralyzeTime = 0; // ms
};

} // namespace GAME
