#pragma once

#include <cstdint>

namespace GAME {

// The kind of weapon a weapon class reports. No class reports 8, yet the hand state counts it
// as one-handed, so it keeps its number.
enum Weapon_Type : int32_t {
    Weapon_Type_None = 0,
    Weapon_Type_Weapon = 1,
    Weapon_Type_Axe = 2,
    Weapon_Type_Sword = 3,
    Weapon_Type_Mace = 4,
    Weapon_Type_Spear = 5,
    Weapon_Type_Bow = 6,
    Weapon_Type_Staff = 7,
    Weapon_Type_Reserved8 = 8,
    Weapon_Type_Shield = 9,
};

} // namespace GAME
