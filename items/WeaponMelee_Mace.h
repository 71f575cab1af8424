#pragma once

#include "items/WeaponMelee.h"

namespace GAME {

// A mace.
class WeaponMelee_Mace : public WeaponMelee {
    GAME_DECLARE_CLASS(WeaponMelee_Mace)

public:
    WeaponMelee_Mace();
    ~WeaponMelee_Mace() override;
    Market_TypeEnum GetItemMarketType() const override { return Market_MeleeWeapons; }
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Mace; }
};

} // namespace GAME
