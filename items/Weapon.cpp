#include "items/Weapon.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Weapon, ItemEquipment);

Weapon::~Weapon() = default;

} // namespace GAME
