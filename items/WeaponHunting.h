#pragma once

#include "items/Weapon.h"

namespace GAME {

// The base of the hunting weapons.
class WeaponHunting : public Weapon {
    GAME_DECLARE_CLASS(WeaponHunting)

public:
    WeaponHunting();
    ~WeaponHunting() override;
    Item_Type GetItemType() const override { return ItemType_Weapon; }
};

} // namespace GAME
