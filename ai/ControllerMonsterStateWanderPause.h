#pragma once

#include "ai/ControllerMonsterStateWander.h"

#include <cstdint>

namespace GAME {

// The rest between two strolls round the leader.
class ControllerMonsterStateWanderPause : public ControllerMonsterStateWander {
public:
    explicit ControllerMonsterStateWanderPause(ControllerMonster* controller)
        : ControllerMonsterStateWander(controller)
    {}
    ~ControllerMonsterStateWanderPause() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override {}
    int32_t GetPauseTimer() const { return pauseTimer; }

private:
    int32_t pauseTimer = 0;
};

} // namespace GAME
