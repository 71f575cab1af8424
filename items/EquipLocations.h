#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// Where on a character an item is worn. Neck and finger have no point on the mesh.
enum EquipLocations : int32_t {
    EquipLocations_None = 0,
    EquipLocations_RightHand = 1,
    EquipLocations_LeftHand = 2,
    EquipLocations_UpperBody = 3,
    EquipLocations_LowerBody = 4,
    EquipLocations_Head = 5,
    EquipLocations_Neck = 6,
    EquipLocations_Finger = 7,
    EquipLocations_Forearm = 8,
};

// The mesh's attach point of a location; empty for neck, finger and anything else.
const char* LocationToString(EquipLocations location);
// The six attach-point names back to their locations; anything else is `EquipLocations_None`.
EquipLocations StringToLocation(const std::string& attachPoint);

} // namespace GAME
