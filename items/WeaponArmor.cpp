#include "items/WeaponArmor.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponArmor, Weapon);

WeaponArmor::~WeaponArmor() = default;

} // namespace GAME
