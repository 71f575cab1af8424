#pragma once

#include "items/WeaponHunting.h"

namespace GAME {

// A bow, held in the left hand.
class WeaponHunting_Bow : public WeaponHunting {
    GAME_DECLARE_CLASS(WeaponHunting_Bow)

public:
    WeaponHunting_Bow();
    ~WeaponHunting_Bow() override;
    Market_TypeEnum GetItemMarketType() const override { return Market_RangedWeapons; }
    int32_t GetLeftHandType() const override { return 4; }
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Bow; }
};

} // namespace GAME
