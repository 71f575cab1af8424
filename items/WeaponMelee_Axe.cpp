#include "items/WeaponMelee_Axe.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponMelee_Axe, WeaponMelee);

WeaponMelee_Axe::WeaponMelee_Axe()
{
    SetRequirementEquationKeys("axe");
}

WeaponMelee_Axe::~WeaponMelee_Axe() = default;

} // namespace GAME
