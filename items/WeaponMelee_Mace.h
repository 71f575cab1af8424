#pragma once

#include "items/WeaponMelee.h"

namespace GAME {

// A mace.
class WeaponMelee_Mace : public WeaponMelee {
    GAME_DECLARE_CLASS(WeaponMelee_Mace)

public:
    WeaponMelee_Mace() = default;
    ~WeaponMelee_Mace() override;
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Mace; }
};

} // namespace GAME
