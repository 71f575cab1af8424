#pragma once

#include <cstdint>

namespace GAME {

// The slots callers name; any other value is no slot.
enum EquipmentCtrlLocation : int32_t {
    EquipmentCtrlLocation_None = 0,
    EquipmentCtrlLocation_Head = 1,
    EquipmentCtrlLocation_Neck = 2,
    EquipmentCtrlLocation_UpperBody = 3,
    EquipmentCtrlLocation_LowerBody = 4,
    EquipmentCtrlLocation_Finger1 = 5,
    EquipmentCtrlLocation_Finger2 = 6,
    EquipmentCtrlLocation_Forearm = 7,
    EquipmentCtrlLocation_HandRight = 8,
    EquipmentCtrlLocation_HandLeft = 9,
};

} // namespace GAME
