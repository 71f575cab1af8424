#include "characters/Character.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Character, Actor);

Character::~Character() = default;

} // namespace GAME
