#pragma once

#include "multiplayer/NetworkRegionLoaderClient.h"

#include <vector>

namespace GAME {

// The server's side for a remote player: it reaches state 2 only once its own regions are
// loaded, the client reported 2 and nobody holds it.
class NetworkRegionLoaderServer : public NetworkRegionLoaderClient {
public:
    // Told once, when the regions are loaded on both sides.
    class LoadedListener {
    public:
        virtual ~LoadedListener() = default;
        virtual void OnRegionsLoaded() = 0;
    };

    NetworkRegionLoaderServer() = default;
    ~NetworkRegionLoaderServer() override;

    void Update() override;
    void SendStateChange(uint32_t playerId, int32_t state) override;

    void Hold() { hold = true; }
    void Release() { hold = false; }
    bool IsHeld() const { return hold; }
    void AddLoadedListener(LoadedListener* listener) { loadedListeners.push_back(listener); }

private:
    bool hold = false;
    bool listenersNotified = false;
    std::vector<LoadedListener*> loadedListeners; // not owned
};

} // namespace GAME
