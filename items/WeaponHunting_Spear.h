#pragma once

#include "items/WeaponHunting.h"

namespace GAME {

// A spear, held in the right hand.
class WeaponHunting_Spear : public WeaponHunting {
    GAME_DECLARE_CLASS(WeaponHunting_Spear)

public:
    WeaponHunting_Spear();
    ~WeaponHunting_Spear() override;
    Market_TypeEnum GetItemMarketType() const override { return Market_RangedWeapons; }
    int32_t GetRightHandType() const override { return 8; }
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Spear; }
};

} // namespace GAME
