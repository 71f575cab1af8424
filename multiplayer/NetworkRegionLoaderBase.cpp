#include "multiplayer/NetworkRegionLoaderBase.h"

#include "game/GameEngine.h"

namespace GAME {

NetworkRegionLoaderBase::~NetworkRegionLoaderBase()
{
    // The hub may already be gone when an activity outlives it at shutdown.
    if (gGameEngine != nullptr)
        gGameEngine->UnregisterNRLoader(this);
}

void NetworkRegionLoaderBase::SetRemoteState(int32_t state)
{
    remoteState = state;
    localState = state;
}

void NetworkRegionLoaderBase::Register(const WorldVec3& where, uint32_t player)
{
    GameEngine::Get().RegisterNRLoader(player, this);
    position = where;
    playerId = player;
}

} // namespace GAME
