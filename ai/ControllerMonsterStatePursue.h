#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Runs to an attack slot round the enemy until the skill reaches it, the pursuit time is up or
// the enemy is no longer worth it.
class ControllerMonsterStatePursue : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStatePursue(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kAllDefaults);
    }
    ~ControllerMonsterStatePursue() override = default;

    static constexpr int32_t kSkillCheckInterval = 200;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EnemyFound(uint32_t enemyId) override;
    void EndOfPathReached() override;
    void LostSlot() override;
    void RequestAttack(uint32_t requesterId, uint32_t targetId) override;

    int32_t GetPursueTimer() const { return pursueTimer; }

protected:
    // "Attack" when the skill reaches the enemy over a clear path, "NavigateObstacle" when
    // something is in the way; false while the skill does not reach.
    bool AttackWhenCloseEnough(uint32_t enemyId, uint32_t skillId);

private:
    void CheckSkillMatchesCharacter(uint32_t skillId);

    int32_t pursueTimer = 0;
    int32_t skillCheckTimer = 0;
};

} // namespace GAME
