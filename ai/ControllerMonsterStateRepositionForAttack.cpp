#include "ai/ControllerMonsterStateRepositionForAttack.h"

namespace GAME {

void ControllerMonsterStateRepositionForAttack::OnBegin()
{
    ControllerMonster* controller = GetController();
    Monster* self = GetCharacter();
    WorldVec3 point;
    if (!controller->IsEnemyValid(GetCurrentEnemy()) ||
        !PickRandomPointInVicinity(point, self, GetOwnPosition(), kMinRadius, kMaxRadius,
                                   kMinRadius, controller->GetMaxYViewDistance())) {
        SwitchTo("Return");
        return;
    }
    MoveTo(controller->GetClosestMovePoint(point), 0, 0);
}

void ControllerMonsterStateRepositionForAttack::OnEnd()
{
    GetController()->ReleaseMoveGoal();
}

void ControllerMonsterStateRepositionForAttack::EndOfPathReached()
{
    AttackElseReturn();
}

} // namespace GAME
