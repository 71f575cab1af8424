#include "world/BandariTeleportPoint.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(BandariTeleportPoint, Actor);

BandariTeleportPoint::~BandariTeleportPoint() = default;

} // namespace GAME
