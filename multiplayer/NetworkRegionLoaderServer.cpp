#include "multiplayer/NetworkRegionLoaderServer.h"

#include "game/GameEngine.h"

namespace GAME {

NetworkRegionLoaderServer::~NetworkRegionLoaderServer() = default;

void NetworkRegionLoaderServer::SendStateChange(uint32_t player, int32_t state)
{
    GameEngine::Get().StoC_HandleNRLoaderStateChangeOutbound(player, state);
}

void NetworkRegionLoaderServer::Update()
{
    UpdateRegionLoader();
    if (localState == 0) {
        BeginLoading();
        return;
    }
    if (localState != 1 || !RegionsLoaded() || remoteState != 2)
        return;
    if (!listenersNotified) {
        listenersNotified = true;
        // A listener may release the hold at once; the copy survives one adding another.
        const std::vector<LoadedListener*> toNotify = loadedListeners;
        for (LoadedListener* listener : toNotify)
            listener->OnRegionsLoaded();
    }
    if (hold)
        return;
    SendStateChange(playerId, 2);
    SetLocalState(2);
}

} // namespace GAME
