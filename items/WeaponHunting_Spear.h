#pragma once

#include "items/WeaponHunting.h"

namespace GAME {

// A spear, held in the right hand.
class WeaponHunting_Spear : public WeaponHunting {
    GAME_DECLARE_CLASS(WeaponHunting_Spear)

public:
    WeaponHunting_Spear() = default;
    ~WeaponHunting_Spear() override;
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Spear; }
};

} // namespace GAME
