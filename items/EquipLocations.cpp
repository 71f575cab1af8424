#include "items/EquipLocations.h"

namespace GAME {

namespace {

struct LocationName {
    EquipLocations location;
    const char* name;
};

constexpr LocationName kLocationNames[] = {
    {EquipLocations_RightHand, "R Hand"},
    {EquipLocations_LeftHand, "L Hand"},
    {EquipLocations_UpperBody, "Upper Body"},
    {EquipLocations_LowerBody, "Lower Body"},
    {EquipLocations_Head, "Head"},
    {EquipLocations_Forearm, "Forearm"},
};

} // namespace

const char* LocationToString(EquipLocations location)
{
    for (const LocationName& entry : kLocationNames) {
        if (entry.location == location)
            return entry.name;
    }
    return "";
}

EquipLocations StringToLocation(const std::string& attachPoint)
{
    for (const LocationName& entry : kLocationNames) {
        if (attachPoint == entry.name)
            return entry.location;
    }
    return EquipLocations_None;
}

} // namespace GAME
