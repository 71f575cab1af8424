#pragma once

#include "multiplayer/PacketFields.h"

#include <cstdint>

namespace GAME {

// Party membership and invitations, and the game balance level that the party size drives.

class JoinPartyConfigCmdPacket : public FieldPacket<JoinPartyConfigCmdPacket> {
public:
    JoinPartyConfigCmdPacket() : FieldPacket(107) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Joining Player: ", p.joiningPlayer);
        v.Field("Party: ", p.party);
    }

    uint32_t joiningPlayer = 0;
    int32_t party = 0;
};

class InvitePartyConfigCmdPacket : public FieldPacket<InvitePartyConfigCmdPacket> {
public:
    InvitePartyConfigCmdPacket() : FieldPacket(108) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Inviting Player: ", p.invitingPlayer);
        v.Field("Party: ", p.party);
    }

    // Despite its label, the network interface puts the invitee here and the inviter in party.
    uint32_t invitingPlayer = 0;
    int32_t party = 0;
};

class GameBalanceUpdatePacket : public FieldPacket<GameBalanceUpdatePacket> {
public:
    GameBalanceUpdatePacket() : FieldPacket(61) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Game Balance Level: ", p.level);
    }

    int32_t level = 0;
};

} // namespace GAME
