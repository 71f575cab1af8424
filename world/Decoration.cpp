#include "world/Decoration.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Decoration, Actor);

Decoration::~Decoration() = default;

} // namespace GAME
