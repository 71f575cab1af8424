#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Runs from the enemy in short dashes, hiding between them, while the fear lasts.
class ControllerMonsterStateScared : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateScared(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateScared() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;

private:
    // Runs to a new point, or hides when none is found.
    void RunOrHide();
    bool PickRunToPoint(WorldVec3& point);
    void StartRun(const WorldVec3& point);
    void Hide();

    int32_t runTime = 0;  // ms
    int32_t hideTime = 0; // ms
    bool startingRun = false;
};

} // namespace GAME
