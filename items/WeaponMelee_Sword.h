#pragma once

#include "items/WeaponMelee.h"

namespace GAME {

// A sword.
class WeaponMelee_Sword : public WeaponMelee {
    GAME_DECLARE_CLASS(WeaponMelee_Sword)

public:
    WeaponMelee_Sword();
    ~WeaponMelee_Sword() override;
    Market_TypeEnum GetItemMarketType() const override { return Market_MeleeWeapons; }
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Sword; }
};

} // namespace GAME
