#pragma once

#include "engine/NetworkEntityList.h"
#include "game/TeleportActivity.h"
#include "multiplayer/NetworkRegionLoaderServer.h"

#include <memory>

namespace GAME {

// Another machine's player seen by the server: the player's frustum entry is taken off while he
// travels and handed back for the destination once the server loader says it is ready.
class TeleportNonLocalServerActivity : public TeleportActivity,
                                       public NetworkRegionLoaderServer::LoadedListener {
public:
    TeleportNonLocalServerActivity();
    ~TeleportNonLocalServerActivity() override;

    void AddStatisticText() override;
    void StartOutbound() override;
    void MoveCharacter() override;
    // The frustum hand-over: the host's entry is held and the player leaves the world.
    void StealFrustumEntry();

    // The server loader's call when the destination is ready.
    void OnRegionsLoaded() override;

    bool IsFrustumStolen() const { return frustumStolen; }
    bool IsMovePending() const { return movePending; }

protected:
    void UpdateState() override;

private:
    NetworkRegionLoaderServer* GetServerLoader() const;
    // Gives a held entry back for the destination.
    void ReturnFrustumEntry();

    std::unique_ptr<NetworkEntityList::FrustumEntry> frustumEntry;
    bool frustumStolen = false;
    bool movePending = false;
    bool moved = false;
};

} // namespace GAME
