#include "characters/Monster.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Monster, Character);

Monster::~Monster() = default;

} // namespace GAME
