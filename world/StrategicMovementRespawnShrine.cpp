#include "world/StrategicMovementRespawnShrine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementRespawnShrine, StrategicMovementBase);

StrategicMovementRespawnShrine::~StrategicMovementRespawnShrine() = default;

} // namespace GAME
