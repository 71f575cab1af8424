#include "items/WeaponMelee_Sword.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponMelee_Sword, WeaponMelee);

WeaponMelee_Sword::WeaponMelee_Sword()
{
    SetRequirementEquationKeys("sword");
}

WeaponMelee_Sword::~WeaponMelee_Sword() = default;

} // namespace GAME
