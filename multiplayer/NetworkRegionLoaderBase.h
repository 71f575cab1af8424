#pragma once

#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

// Tracks, for one player, whether both this machine and the peer have loaded the regions around
// a place. States: 0 not started, 1 loading, 2 loaded. Registered with the game engine by player
// id, which hands it the peer's reported states.
class NetworkRegionLoaderBase {
public:
    NetworkRegionLoaderBase() = default;
    virtual ~NetworkRegionLoaderBase();
    NetworkRegionLoaderBase(const NetworkRegionLoaderBase&) = delete;
    NetworkRegionLoaderBase& operator=(const NetworkRegionLoaderBase&) = delete;

    virtual void Update() {}
    // The peer's state; the base takes it as its own too.
    virtual void SetRemoteState(int32_t state);
    virtual bool IsDone() const { return remoteState == 2 && localState == 2; }
    bool IsLocalDone() const { return localState == 2; }

    void Register(const WorldVec3& position, uint32_t playerId);
    uint32_t GetPlayerId() const { return playerId; }
    bool HasPlayerId() const { return playerId != 0; }

    int32_t GetRemoteState() const { return remoteState; }
    int32_t GetLocalState() const { return localState; }
    const WorldVec3& GetPosition() const { return position; }

protected:
    int32_t remoteState = 0;
    int32_t localState = 0;
    WorldVec3 position;
    uint32_t playerId = 0;
};

} // namespace GAME
