#pragma once

#include "multiplayer/NetworkRegionLoaderBase.h"

#include <memory>

namespace GAME {

class RegionLoader;

// The loading side that only reports: it loads the regions around the position and tells the
// peer when it starts and when it is done.
class NetworkRegionLoaderClient : public NetworkRegionLoaderBase {
public:
    NetworkRegionLoaderClient();
    ~NetworkRegionLoaderClient() override;

    void Update() override;
    void SetRemoteState(int32_t state) override { remoteState = state; }
    virtual void SetLocalState(int32_t state) { localState = state; }
    virtual void SendStateChange(uint32_t playerId, int32_t state);
    virtual void StartLoading();

    // Null until loading starts, and for good when the position has no region.
    const RegionLoader* GetRegionLoader() const { return regionLoader.get(); }

protected:
    void UpdateRegionLoader();
    bool RegionsLoaded() const;
    // Leaves state 0: starts loading and announces state 1.
    void BeginLoading();

    std::unique_ptr<RegionLoader> regionLoader;
};

} // namespace GAME
