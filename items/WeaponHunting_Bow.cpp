#include "items/WeaponHunting_Bow.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponHunting_Bow, WeaponHunting);

WeaponHunting_Bow::WeaponHunting_Bow()
{
    enchantmentKind = WeaponEnchantment::Bow;
    SetRequirementEquationKeys("bow");
    costEquationKey = "weaponRangedCostEquation";
}

WeaponHunting_Bow::~WeaponHunting_Bow() = default;

} // namespace GAME
