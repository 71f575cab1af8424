#include "engine/WeaponTrail.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponTrail, Entity);

WeaponTrail::~WeaponTrail() = default;

} // namespace GAME
