#pragma once

#include "items/WeaponArmor.h"

namespace GAME {

// A shield, held in the left hand.
class WeaponArmor_Shield : public WeaponArmor {
    GAME_DECLARE_CLASS(WeaponArmor_Shield)

public:
    WeaponArmor_Shield() = default;
    ~WeaponArmor_Shield() override;
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Shield; }
};

} // namespace GAME
