#include "world/StrategicMovementBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementBase, Tile);

StrategicMovementBase::~StrategicMovementBase() = default;

} // namespace GAME
