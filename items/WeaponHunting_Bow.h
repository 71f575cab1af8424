#pragma once

#include "items/WeaponHunting.h"

namespace GAME {

// A bow, held in the left hand.
class WeaponHunting_Bow : public WeaponHunting {
    GAME_DECLARE_CLASS(WeaponHunting_Bow)

public:
    WeaponHunting_Bow() = default;
    ~WeaponHunting_Bow() override;
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Bow; }
};

} // namespace GAME
