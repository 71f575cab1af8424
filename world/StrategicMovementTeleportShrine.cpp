#include "world/StrategicMovementTeleportShrine.h"

#include "characters/Player.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementTeleportShrine, StrategicMovementBase);

StrategicMovementTeleportShrine::~StrategicMovementTeleportShrine() = default;

StrategicMovementBaseState StrategicMovementTeleportShrine::DetermineStateFromPlayer()
{
    return StateFromPlayer(&Player::IsTeleportUIDKnown, GetUniqueID());
}

bool StrategicMovementTeleportShrine::InstallOnPlayerProximity(Player* player)
{
    if (player == nullptr)
        return false;
    player->AddTeleportUID(GetUniqueID());
    GameEngine::Get().UnlockTutorialPage(9, true);
    return true;
}

} // namespace GAME
