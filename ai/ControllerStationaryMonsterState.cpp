#include "ai/ControllerStationaryMonsterState.h"

#include "characters/Character.h"

namespace GAME {

void ControllerStationaryMonsterStatePursue::OnBegin()
{
    const uint32_t enemy = GetCurrentEnemy();
    const uint32_t skill = GetCurrentSkillID();
    const Character* target = FindCharacter(enemy);
    if (target != nullptr && target->IsAlive() && CloseEnoughToUseSkill(enemy, skill) &&
        IsClearPath(enemy))
        SwitchTo("Attack", enemy, 0, skill);
    else
        SwitchTo("Idle");
}

} // namespace GAME
