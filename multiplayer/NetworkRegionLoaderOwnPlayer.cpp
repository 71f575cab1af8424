#include "multiplayer/NetworkRegionLoaderOwnPlayer.h"

#include "game/GameEngine.h"

namespace GAME {

void NetworkRegionLoaderOwnPlayer::SendStateChange(uint32_t player, int32_t state)
{
    GameEngine::Get().StoC_HandleNRLoaderStateChangeOutbound(player, state);
    SetRemoteState(state);
}

} // namespace GAME
