#include "items/WeaponMagical_Staff.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponMagical_Staff, WeaponMagical);

WeaponMagical_Staff::WeaponMagical_Staff()
{
    enchantmentKind = WeaponEnchantment::Staff;
    SetRequirementEquationKeys("staff");
    costEquationKey = "weaponRangedCostEquation";
    SetKindReductions(CharAttribute_StaffStrengthReqReduction,
                      CharAttribute_StaffDexterityReqReduction,
                      CharAttribute_StaffIntelligenceReqReduction);
}

WeaponMagical_Staff::~WeaponMagical_Staff() = default;

} // namespace GAME
