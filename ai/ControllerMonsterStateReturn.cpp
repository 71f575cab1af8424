#include "ai/ControllerMonsterStateReturn.h"

#include "engine/Engine.h"
#include "engine/WorldCoords.h"

namespace GAME {

void ControllerMonsterStateReturn::OnBegin()
{
    ControllerMonster* controller = GetController();
    const uint32_t leader = GetLeaderId();
    if (leader != 0) {
        SwitchTo("FollowLeader", 0, leader);
        return;
    }
    Monster* self = GetCharacter();
    if (self == nullptr)
        return;
    const WorldVec3 own = self->GetPathPosition();
    const WorldVec3 home = controller->GetHomePosition();
    const float maxPursuit = controller->GetMaxPursuitDistance();
    if (maxPursuit != 0.0f && Distance(own, home) > maxPursuit &&
        self->CanMoveTo(home, kReachTolerance)) {
        controller->ClearAnger();
        MoveTo(home, 0, 0);
        return;
    }
    const uint32_t enemy = controller->GetMostHatedEnemy();
    if (enemy != 0 && controller->IsEnemyValid(enemy)) {
        PursueEnemy(enemy);
        return;
    }
    const WorldVec3 spawn = self->GetSpawnPoint().GetPosition();
    if (IsAt(spawn)) {
        SwitchTo("Idle");
        return;
    }
    if (!self->CanMoveTo(spawn, kReachTolerance)) {
        gEngine->Log(Engine::LogRuntime, "Monster %s can't return home.",
                     self->GetObjectName().c_str());
        self->SetSpawnPoint(WorldCoords(own));
        EndOfPathReached();
        return;
    }
    if (ShouldWalk())
        WalkTo(spawn, 0);
    else
        MoveTo(spawn, 0, 0);
}

void ControllerMonsterStateReturn::EndOfPathReached()
{
    SwitchTo("Idle");
}

} // namespace GAME
