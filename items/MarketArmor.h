#pragma once

#include "items/MarketMiniMart.h"

namespace GAME {

// The armour categories of a merchant's stock.

class MarketArmor_Armband final : public MarketMiniMart_Keyed {
public:
    MarketArmor_Armband() : MarketMiniMart_Keyed("Armband", Market_Armband) {}
};

class MarketArmor_BodyArmor final : public MarketMiniMart_Keyed {
public:
    MarketArmor_BodyArmor() : MarketMiniMart_Keyed("BodyArmor", Market_BodyArmor) {}
};

class MarketArmor_Greaves final : public MarketMiniMart_Keyed {
public:
    MarketArmor_Greaves() : MarketMiniMart_Keyed("Greaves", Market_Greaves) {}
};

class MarketArmor_Helm final : public MarketMiniMart_Keyed {
public:
    MarketArmor_Helm() : MarketMiniMart_Keyed("Helm", Market_Helm) {}
};

class MarketArmor_Shield final : public MarketMiniMart_Keyed {
public:
    MarketArmor_Shield() : MarketMiniMart_Keyed("Shield", Market_Shield) {}
};

class MarketArmor_Used final : public MarketMiniMart_Used {
public:
    MarketArmor_Used() : MarketMiniMart_Used(Market_UsedArmor) {}
};

} // namespace GAME
