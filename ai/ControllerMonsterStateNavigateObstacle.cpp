#include "ai/ControllerMonsterStateNavigateObstacle.h"

#include "characters/Character.h"

namespace GAME {

void ControllerMonsterStateNavigateObstacle::OnBegin()
{
    const uint32_t enemy = GetCurrentEnemy();
    Character* target = FindCharacter(enemy);
    if (target == nullptr || !target->IsAlive()) {
        SwitchTo("Return");
        return;
    }
    Monster* self = GetCharacter();
    const WorldVec3 position = target->GetPathPosition();
    if (self != nullptr && self->CanMoveTo(position, kReachTolerance) && !IsAt(position))
        MoveTo(position, enemy, GetCurrentSkillID());
    else
        SwitchTo("Idle");
}

void ControllerMonsterStateNavigateObstacle::OnUpdate(int32_t /*elapsedMs*/)
{
    const uint32_t enemy = GetCurrentEnemy();
    if (!IsClearPath(enemy))
        return;
    const ControllerAIStateData data = GetController()->GetCurrentStateData();
    SetState(IsCloseEnough(enemy, GetCurrentSkillID()) ? "Attack" : "Pursue", data);
}

} // namespace GAME
