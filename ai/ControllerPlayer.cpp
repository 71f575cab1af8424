#include "ai/ControllerPlayer.h"

#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerPlayer, ControllerAI);

ControllerPlayer::ControllerPlayer()
{
    inventoryCtrl.SetController(this);
}

void ControllerPlayer::PostParentAttached()
{
    ControllerAI::PostParentAttached();
    Player* player = DynamicCast<Player>(GetCharacter());
    inventoryCtrl.SetParent(player);
    GetEquipmentCtrl().SetParent(player);
}

void ControllerPlayer::ClearTarget()
{
    combatEnemy = 0;
    targetPoint = WorldVec3();
    repeatTarget = 0;
    repeatPoint = WorldVec3();
}

void ControllerPlayer::SetMouseRepeat(uint32_t id, const WorldVec3& point)
{
    repeatTarget = id;
    repeatPoint = point;
}

} // namespace GAME
