#pragma once

#include "multiplayer/PacketFields.h"
#include "multiplayer/PlayerNetBasicInfo.h"

#include <string>
#include <vector>

namespace GAME {

// The player managers' messages: heartbeats and player lists, one player or all of them. The
// wire puts the party before the level and the class tag before the position, unlike the
// records.

class SinglePlayerHeartbeatPacket : public FieldPacket<SinglePlayerHeartbeatPacket> {
public:
    // Seven words, the class tag's length, the position and the count of status skills.
    static constexpr size_t kMinimumBytes = 7 * 4 + 4 + NetPacketInBuffer::kWorldVec3Bytes + 4;

    SinglePlayerHeartbeatPacket() : FieldPacket(22) {}

    template <typename V, typename R> static void VisitHeartbeat(V& v, R& h)
    {
        v.Heading("Game Player", 0);
        v.Field("Player: ", h.playerId, 1);
        v.Field("Health: ", h.health, 1);
        v.Field("Maximum Health: ", h.maxHealth, 1);
        v.Field("Mana: ", h.mana, 1);
        v.Field("Maximum Mana: ", h.maxMana, 1);
        v.Field("Party ID: ", h.partyId, 1);
        v.Field("Level: ", h.level, 1);
        v.Hidden(h.classTag);
        v.Hidden(h.position);
        v.Records(h.activeStatusSkills, 4, [](auto& w, auto& skill) { w.Hidden(skill); });
    }
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        VisitHeartbeat(v, p.player);
    }

    PlayerNetHeartbeatInfo player;
};

class AllPlayersHeartbeatPacket : public FieldPacket<AllPlayersHeartbeatPacket> {
public:
    AllPlayersHeartbeatPacket() : FieldPacket(21) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Records(p.players, SinglePlayerHeartbeatPacket::kMinimumBytes,
                  [](auto& w, auto& h) { SinglePlayerHeartbeatPacket::VisitHeartbeat(w, h); });
    }

    std::vector<PlayerNetHeartbeatInfo> players;
};

class SinglePlayerBasicInfoPacket : public FieldPacket<SinglePlayerBasicInfoPacket> {
public:
    // Six words, the name's count, the gender, the level, the class tag's length, the position
    // and the count of status skills.
    static constexpr size_t kMinimumBytes =
        6 * 4 + 4 + 1 + 4 + 4 + NetPacketInBuffer::kWorldVec3Bytes + 4;

    SinglePlayerBasicInfoPacket() : FieldPacket(24) {}

    // Travels in one order and is described in another, so the description is not visited.
    template <typename V, typename R> static void VisitBasicInfo(V& v, R& b)
    {
        v.Hidden(b.playerId);
        v.Hidden(b.health);
        v.Hidden(b.maxHealth);
        v.Hidden(b.mana);
        v.Hidden(b.maxMana);
        v.Hidden(b.partyId);
        v.Hidden(b.name);
        v.Hidden(b.isMale);
        v.Hidden(b.level);
        v.Hidden(b.classTag);
        v.Hidden(b.position);
        v.Records(b.activeStatusSkills, 4, [](auto& w, auto& skill) { w.Hidden(skill); });
    }
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        VisitBasicInfo(v, p.player);
    }
    static void DescribeBasicInfo(NetPacketDescriber& describer, const PlayerNetBasicInfo& b,
                                  int level);
    std::string GetPacketDescription(bool withType) const override;

    PlayerNetBasicInfo player;
};

class AllPlayersBasicInfoPacket : public FieldPacket<AllPlayersBasicInfoPacket> {
public:
    AllPlayersBasicInfoPacket() : FieldPacket(23) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Records(p.players, SinglePlayerBasicInfoPacket::kMinimumBytes,
                  [](auto& w, auto& b) { SinglePlayerBasicInfoPacket::VisitBasicInfo(w, b); });
    }
    std::string GetPacketDescription(bool withType) const override;

    std::vector<PlayerNetBasicInfo> players;
};

} // namespace GAME
