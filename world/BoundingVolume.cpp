#include "world/BoundingVolume.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(BoundingVolume, Actor);

BoundingVolume::~BoundingVolume() = default;

} // namespace GAME
