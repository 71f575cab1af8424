#pragma once

#include "items/Armor.h"

#include <string>

namespace GAME {

// The pieces that protect a region of the body.
class ArmorProtective : public Armor {
    GAME_DECLARE_CLASS(ArmorProtective)

public:
    ArmorProtective();
    Market_TypeEnum GetItemMarketType() const override { return Market_Armor; }
};

// A helmet.
class ArmorProtective_Head : public ArmorProtective {
    GAME_DECLARE_CLASS(ArmorProtective_Head)

public:
    ArmorProtective_Head();
    Item_Type GetItemType() const override { return ItemType_Head; }
};

// Body armour; it also gives its wearer breast support.
class ArmorProtective_UpperBody : public ArmorProtective {
    GAME_DECLARE_CLASS(ArmorProtective_UpperBody)

public:
    ArmorProtective_UpperBody();
    Item_Type GetItemType() const override { return ItemType_UpperBody; }
    void SetArmorGender(Character& character) override;
    void ResetArmorGender(Character& character) override;
};

// Leg armour.
class ArmorProtective_LowerBody : public ArmorProtective {
    GAME_DECLARE_CLASS(ArmorProtective_LowerBody)

public:
    ArmorProtective_LowerBody();
    Item_Type GetItemType() const override { return ItemType_LowerBody; }
};

// Arm guards; lying in the world they play the forearm idle animation.
class ArmorProtective_Forearm : public ArmorProtective {
    GAME_DECLARE_CLASS(ArmorProtective_Forearm)

public:
    ArmorProtective_Forearm();
    Item_Type GetItemType() const override { return ItemType_Forearm; }
};

} // namespace GAME
