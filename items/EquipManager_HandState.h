#pragma once

#include <cstdint>

namespace GAME {

// What a character holds, as far as its animations care: it picks the animation set.
enum EquipManager_HandState : int32_t {
    EquipManager_HandState_Unarmed = 0,
    EquipManager_HandState_SingleHanded = 1,
    EquipManager_HandState_DualWielded = 2,
    EquipManager_HandState_Bow = 3,
    EquipManager_HandState_Spear = 4,
    EquipManager_HandState_Staff = 5,
};

} // namespace GAME
