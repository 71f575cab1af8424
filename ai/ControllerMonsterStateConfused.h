#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Staggers round its home and lashes out at random points until the confusion wears off.
class ControllerMonsterStateConfused : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateConfused(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateConfused() override = default;

    void OnBegin() override;
    void OnEnd() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override { WalkRandomly(); }

private:
    void WalkRandomly();
    void StartStopEffect(bool on);

    int32_t randomAttackTimer = 0; // ms
};

} // namespace GAME
