#include "items/WeaponHunting.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponHunting, Weapon);

WeaponHunting::WeaponHunting()
{
    SetKindReductions(CharAttribute_HuntingStrengthReqReduction,
                      CharAttribute_HuntingDexterityReqReduction,
                      CharAttribute_HuntingIntelligenceReqReduction);
}

WeaponHunting::~WeaponHunting() = default;

} // namespace GAME
