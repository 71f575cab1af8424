#include "world/PlayerSpawnPoint.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(PlayerSpawnPoint, Actor);

PlayerSpawnPoint::~PlayerSpawnPoint() = default;

} // namespace GAME
