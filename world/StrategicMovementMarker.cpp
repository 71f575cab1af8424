#include "world/StrategicMovementMarker.h"

#include "characters/Player.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementMarker, StrategicMovementBase);

StrategicMovementMarker::~StrategicMovementMarker() = default;

StrategicMovementBaseState StrategicMovementMarker::DetermineStateFromPlayer()
{
    return StateFromPlayer(&Player::IsMarkerUIDKnown, GetUniqueID());
}

bool StrategicMovementMarker::InstallOnPlayerProximity(Player* player)
{
    if (player == nullptr)
        return false;
    player->AddMarkerUID(GetUniqueID());
    return true;
}

} // namespace GAME
