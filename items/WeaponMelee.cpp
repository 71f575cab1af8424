#include "items/WeaponMelee.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponMelee, Weapon);

WeaponMelee::~WeaponMelee() = default;

} // namespace GAME
