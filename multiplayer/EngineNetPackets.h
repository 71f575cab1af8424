#pragma once

#include "engine/WorldVec3.h"
#include "multiplayer/PacketFields.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The messages of the engine's own network layer: the world's start, the server's spawn
// barrier, entity acknowledgements, warps, frustum and player positions. The game defines their
// bytes; the transport fills, sends and acts on them.

class FrustumUpdatePacket : public FieldPacket<FrustumUpdatePacket> {
public:
    FrustumUpdatePacket() : FieldPacket(20) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Originator Host ID: ", p.originatorHostId);
        v.Field("Originator position: ", p.originatorPosition);
    }

    int32_t originatorHostId = 0;
    WorldVec3 originatorPosition;
};

class WorldInitPacket : public FieldPacket<WorldInitPacket> {
public:
    static constexpr uint32_t kType = 25;
    WorldInitPacket() : FieldPacket(kType) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Time (24hr): ", p.timeOfDay);
    }

    float timeOfDay = 0.0f;
};

// Two lists, each with its own count: a sender may well send more positions than ids or fewer,
// so the reader checks each count alone and the description pairs them only as far as both go.
class PlayerPositionUpdatePacket : public FieldPacket<PlayerPositionUpdatePacket> {
public:
    PlayerPositionUpdatePacket() : FieldPacket(28) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Records(p.playerIds, kPacketWordBytes, [](auto& w, auto& id) { w.Hidden(id); });
        v.Records(p.positions, NetPacketInBuffer::kWorldVec3Bytes,
                  [](auto& w, auto& position) { w.Hidden(position); });
    }
    std::string GetPacketDescription(bool withType) const override;

    std::vector<uint32_t> playerIds;
    std::vector<WorldVec3> positions;
};

// The header alone: the message is its type.
class ServerSpawnCompletePacket : public FieldPacket<ServerSpawnCompletePacket> {
public:
    static constexpr const char* kDescription =
        "ServerSpawnCompletePacket is atomic, containing no member elements";

    static constexpr uint32_t kType = 34;
    ServerSpawnCompletePacket() : FieldPacket(kType) {}

    template <typename V, typename P> static void VisitFields(V& v, P& /*p*/)
    {
        v.Heading(kDescription, 0);
    }
};

// A list of entity ids, described under `Derived::kHeading` one id a line.
template <typename Derived> class EntityListPacket : public FieldPacket<Derived> {
public:
    explicit EntityListPacket(uint32_t type) : FieldPacket<Derived>(type) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Heading(Derived::kHeading, 0);
        v.Records(p.entityIds, kPacketWordBytes,
                  [](auto& w, auto& id) { w.Field("Entity IDs: ", id, 1); });
    }

    std::vector<uint32_t> entityIds;
};

class AckEntityPacket : public EntityListPacket<AckEntityPacket> {
public:
    static constexpr const char* kHeading = "Acked Entities: ";
    static constexpr uint32_t kType = 35;
    AckEntityPacket() : EntityListPacket(kType) {}
};

class NackEntityPacket : public EntityListPacket<NackEntityPacket> {
public:
    static constexpr const char* kHeading = "Nacked Entities: ";
    static constexpr uint32_t kType = 36;
    NackEntityPacket() : EntityListPacket(kType) {}
};

class WarpEntityPacket : public FieldPacket<WarpEntityPacket> {
public:
    WarpEntityPacket() : FieldPacket(37) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Warp Point: ", p.warpPoint);
    }

    WorldVec3 warpPoint;
};

} // namespace GAME
