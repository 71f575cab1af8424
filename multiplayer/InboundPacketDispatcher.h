#pragma once

namespace GAME {

class GameEngine;
class GameEngineNetworkInterface;
class NetPacket;

// Hands a received packet of the network interface's kinds to the matching operation of an
// interface, in a network game the inbound one. The host decodes what arrives and calls this.
class InboundPacketDispatcher {
public:
    // False for a packet that no interface operation takes (or whose item record cannot be
    // rebuilt), which the caller may pass elsewhere.
    static bool Dispatch(const NetPacket& packet, GameEngineNetworkInterface& target);
    // The messages the game engine sends itself (teleport, loader state, party answer, respawn
    // request), to the engine's inbound operation of this machine's side. False for any other
    // packet.
    static bool DispatchToEngine(const NetPacket& packet, GameEngine& game);
};

} // namespace GAME
