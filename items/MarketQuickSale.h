#pragma once

#include <cstdint>
#include <vector>

namespace GAME {

class ControllerCharacter;

// The cursor's sale of what it carries to an open market: the item, then every potion hidden
// behind it, each leaving the seller's inventory once the market has taken it. False when the
// market refuses the item itself; then nothing is sold and the hidden potions stay carried.
// Otherwise the hidden potions are sold quietly and the list ends empty (one the market
// refuses is simply dropped from the list and stays in the inventory).
bool SellCarriedItemsToMarket(uint32_t marketId, uint32_t itemId,
                              std::vector<uint32_t>& hiddenPotions,
                              ControllerCharacter& controller);

} // namespace GAME
