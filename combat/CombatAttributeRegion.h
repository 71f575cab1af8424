#pragma once

#include <cstdint>

namespace GAME {

// The body region a hit lands on. Armour of one region guards only hits on that region;
// `FullyProtected` on either side means the armour always applies.
enum CombatAttributeRegion : int32_t {
    CombatAttributeRegion_FullyProtected = 0,
    CombatAttributeRegion_Unprotected = 1,
    CombatAttributeRegion_Head = 2,
    CombatAttributeRegion_Torso = 3,
    CombatAttributeRegion_Arms = 4,
    CombatAttributeRegion_Legs = 5,
};

inline const char* GetCombatAttributeRegionName(CombatAttributeRegion region)
{
    switch (region) {
    case CombatAttributeRegion_FullyProtected:
        return "FullyProtected";
    case CombatAttributeRegion_Unprotected:
        return "Unprotected";
    case CombatAttributeRegion_Head:
        return "Head";
    case CombatAttributeRegion_Torso:
        return "Torso";
    case CombatAttributeRegion_Arms:
        return "Arms";
    case CombatAttributeRegion_Legs:
        return "Legs";
    }
    return "Unknown Region";
}

} // namespace GAME
