#include "world/StrategicMovementMarker.h"

#include "characters/Player.h"
#include "engine/Engine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementMarker, StrategicMovementBase);

StrategicMovementMarker::StrategicMovementMarker()
{
    SetNeedsMapQualification(false);
}

StrategicMovementMarker::~StrategicMovementMarker() = default;

void StrategicMovementMarker::InitialUpdate()
{
    StrategicMovementBase::InitialUpdate();
    if (gEngine->IsLevelEditor())
        EnsureUniqueID();
}

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
