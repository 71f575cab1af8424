#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// A follower's stroll round its leader.
class ControllerMonsterStateWander : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateWander(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kSearches | kQuestDefaults);
    }
    ~ControllerMonsterStateWander() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;

protected:
    // True after switching away: "Idle" without a leader, "Return" when it is too far.
    bool CheckLeaderAndWanderDistance();
};

} // namespace GAME
