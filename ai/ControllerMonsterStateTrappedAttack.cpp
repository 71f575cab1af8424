#include "ai/ControllerMonsterStateTrappedAttack.h"

#include "engine/Name.h"
#include "engine/Platform.h"

#include <cstdlib>

namespace GAME {

void ControllerMonsterStateTrappedAttack::OnBegin()
{
    const uint32_t enemyId = GetCurrentEnemy();
    Character* enemy = FindCharacter(enemyId);
    const WorldVec3 point = enemy != nullptr ? enemy->GetPathPosition() : GetOwnPosition();
    UseSkill(enemyId, point, GetCurrentSkillID(), static_cast<uint32_t>(Platform::Rand()));
}

void ControllerMonsterStateTrappedAttack::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SwitchTo("Trapped");
}

void ControllerMonsterStateTrappedAttack::EndTrap()
{
    RemoveTrap();
    SwitchTo("Return");
}

} // namespace GAME
