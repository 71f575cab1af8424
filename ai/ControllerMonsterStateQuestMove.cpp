#include "ai/ControllerMonsterStateQuestMove.h"

#include "characters/CharacterConfigCommands.h"

#include <memory>

namespace GAME {

namespace {

// Where a quest left the monster is where it belongs from now on.
void SettleHere(Monster* self)
{
    if (self != nullptr)
        self->SetSpawnPoint(self->GetCoords());
}

} // namespace

void ControllerMonsterStateQuestMove::OnBegin()
{
    Monster* self = GetCharacter();
    if (self == nullptr)
        return;
    const WorldVec3 point = GetController()->GetClosestMovePoint(GetController()->GetQuestPoint());
    if (self->CanMoveTo(point, 0.5f)) {
        GoTo(point);
        return;
    }
    self->SetPathPosition(point);
    SwitchTo("Idle");
}

void ControllerMonsterStateQuestMove::OnEnd()
{
    GetController()->ReleaseMoveGoal();
    Monster* self = GetCharacter();
    if (self != nullptr)
        self->Enqueue(std::make_unique<QuestMoveCompletedConfigCmd>(self->GetObjectId()));
    SettleHere(self);
}

void ControllerMonsterStateQuestMove::EndOfPathReached()
{
    SettleHere(GetCharacter());
    SwitchTo("Idle");
}

void ControllerMonsterStateQuestMove::SendAnimationCompleted()
{
    if (Monster* self = GetCharacter())
        self->Enqueue(std::make_unique<QuestAnimationCompletedConfigCmd>(self->GetObjectId()));
}

bool ControllerMonsterStateQuestMove::ShouldFindEnemy()
{
    return GetController()->GetAllowQuestInterruptions();
}

void ControllerMonsterStateQuestMove::EnemyFound(uint32_t enemyId)
{
    if (ShouldFindEnemy())
        DefaultEnemyFoundResponse(enemyId);
}

void ControllerMonsterStateQuestMove::ClosestEnemyFound(uint32_t enemyId, float distance)
{
    if (ShouldFindEnemy())
        DefaultClosestEnemyFoundResponse(enemyId, distance);
}

void ControllerMonsterStateQuestMove::Attacked(uint32_t attackerId)
{
    if (ShouldFindEnemy())
        DefaultAttackedResponse(attackerId);
}

void ControllerMonsterStateQuestMove::AllyAttacked(uint32_t allyId, uint32_t attackerId)
{
    if (ShouldFindEnemy())
        DefaultAllyAttackedResponse(allyId, attackerId);
}

void ControllerMonsterStateQuestMove::LowHealth()
{
    if (ShouldFindEnemy())
        DefaultLowHealthResponse();
}

void ControllerMonsterStateQuestMove::AllyDied(uint32_t allyId)
{
    if (ShouldFindEnemy())
        DefaultAllyDiedResponse(allyId);
}

void ControllerMonsterStateQuestMove::AllyNeedsHelp(uint32_t allyId, uint32_t id)
{
    if (ShouldFindEnemy())
        DefaultAllyNeedsHelpResponse(allyId, id);
}

void ControllerMonsterStateQuestMove::RequestAttack(uint32_t requesterId, uint32_t targetId)
{
    if (ShouldFindEnemy())
        DefaultRequestAttackResponse(requesterId, targetId);
}

void ControllerMonsterStateQuestMove::RequestMove(uint32_t requesterId, const WorldVec3& point)
{
    if (ShouldFindEnemy())
        DefaultRequestMoveResponse(requesterId, point);
}

void ControllerMonsterStateQuestMove::ProjectileNotification(uint32_t projectileId)
{
    if (ShouldFindEnemy())
        DefaultProjectileNotificationResponse(projectileId);
}

void ControllerMonsterStateQuestMove::Confused(int32_t sourceId)
{
    if (ShouldFindEnemy())
        DefaultConfusedResponse(static_cast<uint32_t>(sourceId));
}

} // namespace GAME
