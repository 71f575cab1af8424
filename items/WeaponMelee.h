#pragma once

#include "items/Weapon.h"

namespace GAME {

// The base of the one-handed melee weapons, which either hand may hold.
class WeaponMelee : public Weapon {
    GAME_DECLARE_CLASS(WeaponMelee)

public:
    WeaponMelee();
    ~WeaponMelee() override;
    Item_Type GetItemType() const override { return ItemType_Weapon; }
    int32_t GetRightHandType() const override { return 2; }
    int32_t GetLeftHandType() const override { return 1; }
};

} // namespace GAME
