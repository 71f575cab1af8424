#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Walks the patrol points round and round, now and then idling at one.
class ControllerMonsterStatePatrol : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStatePatrol(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        // Patrollers answer what they notice like any monster, or they would never fight.
        Answer(kAllDefaults);
    }
    ~ControllerMonsterStatePatrol() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;
    bool UsePathPositionAsHome() override { return true; }
    int32_t GetPatrolIdleTimer() const { return patrolIdleTimer; }

private:
    bool MoveToCurrentPatrolPoint();
    // The next point in the round; "Return" when it cannot be walked to.
    void WalkToNextPoint();

    int32_t patrolIdleTimer = 0;
    bool startingWalk = false;
};

} // namespace GAME
