#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// A flight for the flee time, away from the enemy, to a friend beyond or home.
class ControllerMonsterStateFlee : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateFlee(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateFlee() override = default;

    // Friends nearer than this are no shelter.
    static constexpr float kLeastFriendDistance = 3.0f;

    void OnBegin() override;
    void OnEnd() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;
    bool PickFleePoint(WorldVec3& out);

private:
    bool PickAwayFromEnemy(WorldVec3& out, const WorldVec3& enemyPosition);
    bool PickTowardsAllies(WorldVec3& out, const WorldVec3& enemyPosition);

    int32_t fleeTimer = 0;
    bool fled = false;
};

} // namespace GAME
