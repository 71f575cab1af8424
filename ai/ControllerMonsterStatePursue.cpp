#include "ai/ControllerMonsterStatePursue.h"

#include "characters/Character.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"

namespace GAME {

void ControllerMonsterStatePursue::OnBegin()
{
    ControllerMonster* controller = GetController();
    const uint32_t enemy = GetCurrentEnemy();
    const uint32_t skill = GetCurrentSkillID();
    if (!CanMove()) {
        SwitchTo("Idle");
        return;
    }
    if (!controller->IsEnemyValid(enemy)) {
        SwitchTo("Return");
        return;
    }
    // A monster with no attack could only run at the enemy and turn back, again and again.
    if (ObjectManager::Instance().GetObject<Skill>(skill) == nullptr) {
        SwitchTo("Idle");
        return;
    }
    if (controller->ShouldEmoteBeforePursuing()) {
        controller->SetEmoted(true);
        SwitchTo("EmoteBeforePursue", enemy);
        return;
    }
    Monster* self = GetCharacter();
    Character* target = FindCharacter(enemy);
    if (self == nullptr || target == nullptr)
        return;
    const WorldVec3 point = self->GetMoveToPoint(enemy, skill, target->GetPathPosition());
    if (!point.HasRegion()) {
        SwitchTo("WaitToAttack", enemy, 0, skill);
        return;
    }
    if (AttackWhenCloseEnough(enemy, skill))
        return;
    if (!IsAt(point) && self->CanMoveTo(point, GetSkillUseTolerance(enemy))) {
        MoveTo(point, enemy, skill);
        pursueTimer = controller->GetPursuitTime();
        skillCheckTimer = kSkillCheckInterval;
        return;
    }
    SwitchTo("Idle");
}

void ControllerMonsterStatePursue::OnUpdate(int32_t elapsedMs)
{
    ControllerMonster* controller = GetController();
    const uint32_t enemy = GetCurrentEnemy();
    const uint32_t skill = GetCurrentSkillID();
    if (gEngine != nullptr && !gEngine->IsNetworkEnabled())
        CheckSkillMatchesCharacter(skill);
    if (controller->GetPursuitTime() != 0) {
        pursueTimer = AddSaturating(pursueTimer, -elapsedMs);
        if (pursueTimer < 0) {
            SwitchTo("Return");
            return;
        }
    }
    if (!controller->IsEnemyValid(enemy)) {
        SwitchTo("Return");
        return;
    }
    skillCheckTimer = AddSaturating(skillCheckTimer, -elapsedMs);
    if (skillCheckTimer < 0) {
        const Skill* current = ObjectManager::Instance().GetObject<Skill>(skill);
        if (current != nullptr && current->ShouldMonsterSkillBeInterruptedWhilePursuing()) {
            const uint32_t best = controller->ChooseBestSkill(enemy, false);
            if (best != skill) {
                SwitchTo("Pursue", enemy, GetCurrentAlly(), best);
                return;
            }
        }
        skillCheckTimer = kSkillCheckInterval;
    }
    if (const Character* barrier = IsBarrierBlocking(enemy);
        barrier != nullptr && barrier->GetObjectId() != enemy) {
        controller->SetMostHatedEnemy(barrier->GetObjectId());
        PursueEnemy(barrier->GetObjectId());
        return;
    }
    AttackWhenCloseEnough(enemy, skill);
}

void ControllerMonsterStatePursue::EnemyFound(uint32_t enemyId)
{
    if (enemyId == GetCurrentEnemy())
        return;
    AttackElsePursue(enemyId, GetController()->ChooseBestSkill(enemyId, false));
}

void ControllerMonsterStatePursue::EndOfPathReached()
{
    AttackElseReturn();
}

void ControllerMonsterStatePursue::LostSlot()
{
    const uint32_t enemy = GetCurrentEnemy();
    Monster* self = GetCharacter();
    Character* target = FindCharacter(enemy);
    if (self == nullptr || target == nullptr)
        return;
    const WorldVec3 point =
        self->GetMoveToPoint(enemy, GetCurrentSkillID(), target->GetPathPosition());
    if (!point.HasRegion())
        SwitchTo("WaitToAttack", enemy);
}

void ControllerMonsterStatePursue::RequestAttack(uint32_t requesterId, uint32_t targetId)
{
    if (targetId != GetCurrentEnemy())
        DefaultRequestAttackResponse(requesterId, targetId);
}

bool ControllerMonsterStatePursue::AttackWhenCloseEnough(uint32_t enemyId, uint32_t skillId)
{
    if (!IsCloseEnough(enemyId, skillId))
        return false;
    const ControllerAIStateData data = GetAIController()->GetCurrentStateData();
    SetState(IsClearPath(enemyId) ? "Attack" : "NavigateObstacle", data);
    return true;
}

void ControllerMonsterStatePursue::CheckSkillMatchesCharacter(uint32_t skillId)
{
    Monster* self = GetCharacter();
    if (self == nullptr)
        return;
    uint32_t targetId = 0;
    WorldVec3 point;
    uint32_t characterSkill = 0;
    self->GetCurrentAttackTarget(targetId, point, characterSkill);
    // Nothing to compare before the character has an attack under way.
    if (characterSkill == 0 || characterSkill == skillId)
        return;
    gEngine->Log(Engine::LogRuntime,
                 "Pursue - controller skill (%d) doesn't match character skill (%d) in monster %s",
                 static_cast<int>(skillId), static_cast<int>(characterSkill),
                 self->GetObjectName().c_str());
}

} // namespace GAME
