#pragma once

#include "items/WeaponMagical.h"

namespace GAME {

// A staff, held in the left hand.
class WeaponMagical_Staff : public WeaponMagical {
    GAME_DECLARE_CLASS(WeaponMagical_Staff)

public:
    WeaponMagical_Staff();
    ~WeaponMagical_Staff() override;
    int32_t GetLeftHandType() const override { return 16; }
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Staff; }
};

} // namespace GAME
