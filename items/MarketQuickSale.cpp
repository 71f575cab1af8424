#include "items/MarketQuickSale.h"

#include "ai/ControllerCharacter.h"
#include "game/GameEngine.h"

namespace GAME {

bool SellCarriedItemsToMarket(uint32_t marketId, uint32_t itemId,
                              std::vector<uint32_t>& hiddenPotions, ControllerCharacter& controller)
{
    GameEngine& game = GameEngine::Get();
    if (!game.PlayerSaleRequest(marketId, itemId, false))
        return false;
    controller.SendRemoveItemFromInventory(itemId);
    for (uint32_t potion : hiddenPotions) {
        if (game.PlayerSaleRequest(marketId, potion, true))
            controller.SendRemoveItemFromInventory(potion);
    }
    hiddenPotions.clear();
    return true;
}

} // namespace GAME
