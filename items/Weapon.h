#pragma once

#include "items/ItemEquipment.h"
#include "items/Weapon_Type.h"

namespace GAME {

// The base of every weapon and shield. Each class of the family names its kind, which decides
// the hand it goes in and how its wearer animates.
class Weapon : public ItemEquipment {
    GAME_DECLARE_CLASS(Weapon)

public:
    Weapon() = default;
    ~Weapon() override;

    virtual Weapon_Type GetWeaponType() const { return Weapon_Type_Weapon; }
};

} // namespace GAME
