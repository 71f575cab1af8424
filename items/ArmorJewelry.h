#pragma once

#include "items/Armor.h"

#include <string>

namespace GAME {

// Rings, bracelets and amulets: priced and reduced as jewellery.
class ArmorJewelry : public Armor {
    GAME_DECLARE_CLASS(ArmorJewelry)

public:
    ArmorJewelry();
    Market_TypeEnum GetItemMarketType() const override { return Market_General; }
};

// A ring.
class ArmorJewelry_Ring : public ArmorJewelry {
    GAME_DECLARE_CLASS(ArmorJewelry_Ring)

public:
    ArmorJewelry_Ring();
    Item_Type GetItemType() const override { return ItemType_Ring; }
};

// A bracelet.
class ArmorJewelry_Bracelet : public ArmorJewelry {
    GAME_DECLARE_CLASS(ArmorJewelry_Bracelet)

public:
    ArmorJewelry_Bracelet();
    Item_Type GetItemType() const override { return ItemType_Forearm; }
};

// An amulet.
class ArmorJewelry_Amulet : public ArmorJewelry {
    GAME_DECLARE_CLASS(ArmorJewelry_Amulet)

public:
    ArmorJewelry_Amulet();
    Item_Type GetItemType() const override { return ItemType_Amulet; }
};

} // namespace GAME
