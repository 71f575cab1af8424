#include "items/WeaponHunting.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponHunting, Weapon);

WeaponHunting::~WeaponHunting() = default;

} // namespace GAME
