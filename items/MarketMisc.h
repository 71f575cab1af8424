#pragma once

#include "items/MarketMiniMart.h"

namespace GAME {

// The jewellery categories, the used items and the static goods of a merchant's stock.

class MarketMisc_Ring final : public MarketMiniMart_Keyed {
public:
    MarketMisc_Ring() : MarketMiniMart_Keyed("Ring", Market_Ring) {}
};

class MarketMisc_Bracelet final : public MarketMiniMart_Keyed {
public:
    MarketMisc_Bracelet() : MarketMiniMart_Keyed("Bracelet", Market_Bracelet) {}
};

class MarketMisc_Amulet final : public MarketMiniMart_Keyed {
public:
    MarketMisc_Amulet() : MarketMiniMart_Keyed("Amulet", Market_Amulet) {}
};

class MarketMisc_Used final : public MarketMiniMart_Used {
public:
    MarketMisc_Used() : MarketMiniMart_Used(Market_UsedAndStaticMisc) {}
};

// Goods every merchant keeps: they hold no server slot, so they go to the static queue.
class MarketMisc_Static final : public MarketMiniMart_Keyed {
public:
    MarketMisc_Static() : MarketMiniMart_Keyed("Static", Market_UsedAndStaticMisc) {}

    void UploadItems() override;
};

} // namespace GAME
