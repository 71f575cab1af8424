#include "ai/ControllerMonsterHidden.h"

#include "ai/ControllerMonsterStateHidden.h"
#include "engine/LoadTable.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerMonsterHidden, ControllerMonster);

void ControllerMonsterHidden::Load(const LoadTable& table)
{
    appearDistance = table.GetFloat("appearDistance", kDefaultAppearDistance);
}

void ControllerMonsterHidden::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("Startup", new ControllerMonsterStateHidden(this));
}

} // namespace GAME
