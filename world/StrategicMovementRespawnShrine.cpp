#include "world/StrategicMovementRespawnShrine.h"

#include "characters/Player.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementRespawnShrine, StrategicMovementBase);

StrategicMovementRespawnShrine::~StrategicMovementRespawnShrine() = default;

// Only the current respawn point is active.
StrategicMovementBaseState StrategicMovementRespawnShrine::DetermineStateFromPlayer()
{
    return StateFromPlayer(&Player::IsCurrentRespawnPoint, GetUniqueID());
}

bool StrategicMovementRespawnShrine::InstallOnPlayerProximity(Player* player)
{
    if (player == nullptr || player->IsRespawnUIDKnown(GetUniqueID()))
        return false;
    player->AddRespawnUID(GetUniqueID());
    return true;
}

} // namespace GAME
