#include "engine/Tile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Tile, Entity);

Tile::~Tile() = default;

} // namespace GAME
