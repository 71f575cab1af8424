#include "ai/ControllerMonsterStateAttack.h"

#include "characters/Character.h"
#include "engine/Name.h"

#include "engine/Platform.h"

namespace GAME {

void ControllerMonsterStateAttack::OnBegin()
{
    reposition = false;
    AttackEnemyOrReturn();
}

void ControllerMonsterStateAttack::AttackEnemyOrReturn()
{
    const uint32_t enemy = GetCurrentEnemy();
    Character* target = FindCharacter(enemy);
    if (!GetController()->IsEnemyValid(enemy) || target == nullptr) {
        SwitchTo("Return");
        return;
    }
    UseSkill(enemy, target->GetPathPosition(), GetCurrentSkillID(),
             static_cast<uint32_t>(Platform::Rand()));
}

void ControllerMonsterStateAttack::OnUpdate(int32_t /*elapsedMs*/)
{
    if (!GetController()->IsEnemyValid(GetCurrentEnemy()))
        SwitchTo("Return");
}

void ControllerMonsterStateAttack::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        AfterSkill();
}

void ControllerMonsterStateAttack::AfterSkill()
{
    ControllerMonster* controller = GetController();
    const uint32_t enemy = GetCurrentEnemy();
    const uint32_t used = GetCurrentSkillID();
    const uint32_t leaderId = GetLeaderId();
    Character* leader = FindCharacter(leaderId);
    const float teleport = controller->GetTeleportToLeaderDistance();
    if (leader != nullptr && CanMove() && teleport != 0.0f &&
        Distance(GetOwnPosition(), leader->GetPathPosition()) > teleport) {
        controller->TeleportToLeader(leader);
        return;
    }
    if (ShouldBuffSelf()) {
        if (const uint32_t buff = controller->ChooseBestBuffSelfSkill(); buff != 0) {
            UseSkillOnAlly(GetMonsterId(), buff);
            SwitchTo("Return");
            return;
        }
    }
    const uint32_t next = controller->GetChainNextSkill();
    if (used == controller->GetChainInitialSkill() && next != 0) {
        switch (controller->GetChainBehavior()) {
        case ChainedSkillBehavior_None:
            SwitchTo("Attack", enemy, 0, next);
            return;
        case ChainedSkillBehavior_UseOnLeader:
            UseSkillOnAlly(leaderId, next);
            return;
        case ChainedSkillBehavior_UseOnSelf:
            UseSkillOnAlly(GetMonsterId(), next);
            return;
        }
    }
    AttackOrPursue(enemy, used);
}

void ControllerMonsterStateAttack::AttackOrPursue(uint32_t enemyId, uint32_t usedSkillId)
{
    const uint32_t best = GetController()->ChooseBestSkill(enemyId, false);
    if (CanAttackNow(enemyId, best))
        SwitchTo(reposition && best == usedSkillId ? "RepositionForAttack" : "Attack", enemyId, 0,
                 best);
    else
        SwitchTo("Pursue", enemyId, 0, best);
}

void ControllerMonsterStateAttack::Attacked(uint32_t attackerId)
{
    ControllerMonster* controller = GetController();
    if (controller->GetFleeBehavior() == FleeOnDamage && controller->CanFlee())
        SwitchTo("Flee", attackerId);
}

void ControllerMonsterStateAttack::AllyAttacked(uint32_t allyId, uint32_t /*attackerId*/)
{
    HealAllyWhenAttacked(allyId);
}

void ControllerMonsterStateAttack::LostSlot()
{
    PursueEnemy(GetCurrentEnemy());
}

void ControllerMonsterStateAttack::EnemyFound(uint32_t enemyId)
{
    if (enemyId == GetCurrentEnemy() || !GetController()->IsEnemyValid(enemyId))
        return;
    AttackElsePursue(enemyId, GetController()->ChooseBestSkill(enemyId, false));
}

void ControllerMonsterStateAttack::ProjectileCollisionCallback(const ProjectileInfo& /*info*/,
                                                               const CollisionData& /*data*/)
{
    reposition =
        static_cast<uint32_t>(Platform::Rand() % 100) < GetController()->GetRepositionChance() &&
        CanMove();
}

} // namespace GAME
