#include "items/WeaponMelee.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponMelee, Weapon);

WeaponMelee::WeaponMelee()
{
    SetKindReductions(CharAttribute_MeleeStrengthReqReduction,
                      CharAttribute_MeleeDexterityReqReduction,
                      CharAttribute_MeleeIntelligenceReqReduction);
}

WeaponMelee::~WeaponMelee() = default;

} // namespace GAME
