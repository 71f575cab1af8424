#pragma once

#include "items/WeaponMelee.h"

namespace GAME {

// An axe.
class WeaponMelee_Axe : public WeaponMelee {
    GAME_DECLARE_CLASS(WeaponMelee_Axe)

public:
    WeaponMelee_Axe();
    ~WeaponMelee_Axe() override;
    Market_TypeEnum GetItemMarketType() const override { return Market_MeleeWeapons; }
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Axe; }
};

} // namespace GAME
