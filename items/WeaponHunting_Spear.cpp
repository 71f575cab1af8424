#include "items/WeaponHunting_Spear.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponHunting_Spear, WeaponHunting);

WeaponHunting_Spear::WeaponHunting_Spear()
{
    SetRequirementEquationKeys("spear");
}

WeaponHunting_Spear::~WeaponHunting_Spear() = default;

} // namespace GAME
