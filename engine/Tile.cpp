#include "engine/Tile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Tile, Actor);

Tile::~Tile() = default;

} // namespace GAME
