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
    SetState("Idle", ControllerAIStateData());
    combatEnemy = 0;
    targetPoint = WorldVec3();
    repeatTarget = 0;
    repeatPoint = WorldVec3();
}

bool ControllerPlayer::GiveItemToPlayer(uint32_t itemId)
{
    if (itemId == 0)
        return false;
    return GetEquipmentCtrl().AutoInsertItem(itemId) || inventoryCtrl.AddItem(itemId, true);
}

void ControllerPlayer::SetMouseRepeat(uint32_t id, const WorldVec3& point)
{
    repeatTarget = id;
    repeatPoint = point;
}

} // namespace GAME
