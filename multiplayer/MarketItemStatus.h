#pragma once

#include <cstdint>

namespace GAME {

// The status of one slot of a merchant's market, as the market messages carry it. Only what the
// network interface's signatures need; the market code completes it.
enum MarketItemStatus : int32_t {
    MarketItemStatus_Available = 1,
    MarketItemStatus_PurchasePending = 2,
    MarketItemStatus_Sold = 3,
};

} // namespace GAME
