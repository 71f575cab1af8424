#pragma once

#include "multiplayer/NetworkRegionLoaderClient.h"

namespace GAME {

// The serving machine's own player: it loads as a client does and announces as the server does,
// but no other machine answers for it, so it is its own peer - every state it sends is also
// taken as the remote state. Single player and the server's own teleports and respawns use it.
class NetworkRegionLoaderOwnPlayer : public NetworkRegionLoaderClient {
public:
    void SendStateChange(uint32_t playerId, int32_t state) override;
};

} // namespace GAME
