#include "items/TradeState.h"

namespace GAME {

void TradeState::Clear()
{
    goldAmount = 0;
    finalized = false;
}

} // namespace GAME
