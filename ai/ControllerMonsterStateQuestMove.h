#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Goes where a quest sends it and makes that its new spawn point.
class ControllerMonsterStateQuestMove : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateQuestMove(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateQuestMove() override = default;

    void OnBegin() override;
    void OnEnd() override;
    void EndOfPathReached() override;
    bool RespondsToFear() override { return false; }
    bool ShouldFindEnemy() override;
    bool ShouldFindClosestEnemy() override { return ShouldFindEnemy(); }
    // A quest that may be interrupted hears what happens round the monster.
    void EnemyFound(uint32_t enemyId) override;
    void ClosestEnemyFound(uint32_t enemyId, float distance) override;
    void Attacked(uint32_t attackerId) override;
    void AllyAttacked(uint32_t allyId, uint32_t attackerId) override;
    void LowHealth() override;
    void AllyDied(uint32_t allyId) override;
    void AllyNeedsHelp(uint32_t allyId, uint32_t id) override;
    void RequestAttack(uint32_t requesterId, uint32_t targetId) override;
    void RequestMove(uint32_t requesterId, const WorldVec3& point) override;
    void ProjectileNotification(uint32_t projectileId) override;
    void Confused(int32_t sourceId) override;

protected:
    virtual void GoTo(const WorldVec3& point) { MoveTo(point, 0, 0); }
    // Tells the quest the order is carried out.
    void SendAnimationCompleted();
};

} // namespace GAME
