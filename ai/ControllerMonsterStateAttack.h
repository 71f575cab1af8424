#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// One use of the skill on the enemy; its end decides the next blow, a buff, the chain or the
// chase.
class ControllerMonsterStateAttack : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateAttack(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kSearches | kQuestDefaults);
    }
    ~ControllerMonsterStateAttack() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void HandleEvent(const Name& event) override;
    void Attacked(uint32_t attackerId) override;
    void AllyAttacked(uint32_t allyId, uint32_t attackerId) override;
    void LostSlot() override;
    void EnemyFound(uint32_t enemyId) override;
    void ProjectileCollisionCallback(const ProjectileInfo& info,
                                     const CollisionData& data) override;

    bool GetReposition() const { return reposition; }

private:
    void AttackEnemyOrReturn();
    void AfterSkill();
    // Attack or chase with the best skill; a reposition instead of repeating the same blow.
    void AttackOrPursue(uint32_t enemyId, uint32_t usedSkillId);

    bool reposition = false;
};

} // namespace GAME
