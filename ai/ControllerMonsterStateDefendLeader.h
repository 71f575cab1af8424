#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Stands by the leader (the ally of the data), follows when left behind, wanders now and then.
class ControllerMonsterStateDefendLeader : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateDefendLeader(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kAllDefaults);
    }
    ~ControllerMonsterStateDefendLeader() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void AllyDied(uint32_t allyId) override;

private:
    int32_t distanceTestTimer = 0; // ms
    int32_t wanderTimer = 0;       // ms
};

} // namespace GAME
