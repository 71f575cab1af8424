#include "items/WeaponArmor_Shield.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponArmor_Shield, WeaponArmor);

WeaponArmor_Shield::~WeaponArmor_Shield() = default;

} // namespace GAME
