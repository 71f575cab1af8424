#pragma once

#include "items/Weapon.h"

namespace GAME {

// The base of the magical weapons.
class WeaponMagical : public Weapon {
    GAME_DECLARE_CLASS(WeaponMagical)

public:
    WeaponMagical() = default;
    ~WeaponMagical() override;
    Item_Type GetItemType() const override { return ItemType_Weapon; }
    Market_TypeEnum GetItemMarketType() const override { return Market_RangedWeapons; }
};

} // namespace GAME
