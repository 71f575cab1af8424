#include "world/StrategicMovementTeleportShrine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementTeleportShrine, StrategicMovementBase);

StrategicMovementTeleportShrine::~StrategicMovementTeleportShrine() = default;

} // namespace GAME
