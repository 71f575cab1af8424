#pragma once

#include "items/ItemEquipment.h"
#include "items/Weapon_Type.h"

namespace GAME {

class WorldCoords;

// The base of every weapon and shield. Each class of the family names its kind, which decides
// the hand it goes in and how its wearer animates.
class Weapon : public ItemEquipment {
    GAME_DECLARE_CLASS(Weapon)

public:
    Weapon() = default;
    ~Weapon() override;

    virtual Weapon_Type GetWeaponType() const { return Weapon_Type_Weapon; }
    // Stops the swing trail; weapons carry no trail yet, so there is nothing to stop.
    virtual void DisableWeaponTrail() {}
    // The swing of the weapon at a place; the kinds with a swing sound of their own play it.
    virtual void PlaySwipeSound(const WorldCoords& /*position*/) const {}
};

} // namespace GAME
