#include "items/WeaponMagical.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponMagical, Weapon);

WeaponMagical::~WeaponMagical() = default;

} // namespace GAME
