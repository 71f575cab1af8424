#include "items/WeaponMelee_Mace.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponMelee_Mace, WeaponMelee);

WeaponMelee_Mace::WeaponMelee_Mace()
{
    SetRequirementEquationKeys("mace");
}

WeaponMelee_Mace::~WeaponMelee_Mace() = default;

} // namespace GAME
