#include "host/HeroMouse.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/WorldVec3.h"
#include "host/OrderScript.h"
#include "items/PlayerHotSlotCtrl.h"

namespace GAME {

bool HeroMouse::Give(const ScriptOrder& order, Player& hero, ControllerPlayer& controller,
                     uint32_t target, const WorldVec3& point)
{
    switch (order.kind) {
    case ScriptOrder::Kind::Click:
    case ScriptOrder::Kind::ClickOn:
    case ScriptOrder::Kind::Right:
        lastPrimary = order.kind != ScriptOrder::Kind::Right;
        lastTarget = target;
        lastX = point.GetRegionPosition().x;
        lastZ = point.GetRegionPosition().z;
        hasLastClick = true;
        return controller.HandleActionFromMouse(lastPrimary, false, false, false, point, target);
    case ScriptOrder::Kind::Hold:
        held = true;
        return false;
    case ScriptOrder::Kind::Release:
        held = false;
        return false;
    case ScriptOrder::Kind::Slot:
        hero.GetPlayerHotSlotCtrl().ActivateHotSlot(order.slot);
        return hero.GetPlayerHotSlotCtrl().IsHotSlotActive(order.slot);
    case ScriptOrder::Kind::Pet:
        return controller.HandlePetAction(hero, false, false, point, target);
    case ScriptOrder::Kind::Quest:
    case ScriptOrder::Kind::Buy:
    case ScriptOrder::Kind::Sell:
        // Quest orders go to the named character and trades to the merchant's market, not
        // through the mouse.
        return false;
    }
    return false;
}

void HeroMouse::Repeat(ControllerPlayer& controller, const WorldVec3& point) const
{
    uint32_t target = lastTarget;
    controller.HandleActionFromMouse(lastPrimary, false, false, true, point, target);
}

} // namespace GAME
