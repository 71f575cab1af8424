#pragma once

#include "items/Weapon.h"

namespace GAME {

// The base of the one-handed melee weapons, which either hand may hold.
class WeaponMelee : public Weapon {
    GAME_DECLARE_CLASS(WeaponMelee)

public:
    WeaponMelee() = default;
    ~WeaponMelee() override;
};

} // namespace GAME
