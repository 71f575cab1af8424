#include "ai/ControllerMonsterStateTrapped.h"

namespace GAME {

void ControllerMonsterStateTrapped::EnemyFound(uint32_t enemyId)
{
    SwitchTo("TrappedAttack", enemyId, 0, GetController()->ChooseBestSkill(enemyId, false));
}

void ControllerMonsterStateTrapped::EndTrap()
{
    RemoveTrap();
    SwitchTo("Return");
}

} // namespace GAME
