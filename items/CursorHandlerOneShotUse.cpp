#include "items/CursorHandlerOneShotUse.h"

#include "items/PlayerInventoryCtrl.h"

namespace GAME {

void CursorHandlerOneShotUse::SecondaryInitialize()
{
    if (PlayerInventoryCtrl* inventory = GetInventoryCtrl())
        inventory->UseOneShot(itemId);
    itemId = 0;
}

} // namespace GAME
