#include "world/StrategicMovementBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementBase, Tile);

StrategicMovementBase::~StrategicMovementBase() = default;

WorldVec3 StrategicMovementBase::GetMoveToPoint(uint32_t /*user*/)
{
    return GetCoords().GetPosition();
}

} // namespace GAME
