#pragma once

#include "items/MarketMiniMart.h"

namespace GAME {

// The weapon categories of a merchant's stock.

class MarketWeapon_Axe final : public MarketMiniMart_Keyed {
public:
    MarketWeapon_Axe() : MarketMiniMart_Keyed("Axe", Market_Axe) {}
};

class MarketWeapon_Bow final : public MarketMiniMart_Keyed {
public:
    MarketWeapon_Bow() : MarketMiniMart_Keyed("Bow", Market_Bow) {}
};

class MarketWeapon_Mace final : public MarketMiniMart_Keyed {
public:
    MarketWeapon_Mace() : MarketMiniMart_Keyed("Mace", Market_Mace) {}
};

class MarketWeapon_Spear final : public MarketMiniMart_Keyed {
public:
    MarketWeapon_Spear() : MarketMiniMart_Keyed("Spear", Market_Spear) {}
};

class MarketWeapon_Staff final : public MarketMiniMart_Keyed {
public:
    MarketWeapon_Staff() : MarketMiniMart_Keyed("Staff", Market_Staff) {}
};

class MarketWeapon_Sword final : public MarketMiniMart_Keyed {
public:
    MarketWeapon_Sword() : MarketMiniMart_Keyed("Sword", Market_Sword) {}
};

class MarketWeapon_Used1 final : public MarketMiniMart_Used {
public:
    MarketWeapon_Used1() : MarketMiniMart_Used(Market_UsedWeapons) {}
};

class MarketWeapon_Used2 final : public MarketMiniMart_Used {
public:
    MarketWeapon_Used2() : MarketMiniMart_Used(Market_UsedWeaponsOther) {}
};

} // namespace GAME
