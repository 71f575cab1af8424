#pragma once

#include "items/WeaponMelee.h"

namespace GAME {

// A sword.
class WeaponMelee_Sword : public WeaponMelee {
    GAME_DECLARE_CLASS(WeaponMelee_Sword)

public:
    WeaponMelee_Sword() = default;
    ~WeaponMelee_Sword() override;
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Sword; }
};

} // namespace GAME
