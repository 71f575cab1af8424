#pragma once

#include "engine/NetPacket.h"
#include "engine/ObjectContainerPacket.h"

#include <cstdint>
#include <string>

namespace GAME {

// The transport's own messages, types 1 to 5, below every game message: a joining machine's
// welcome, entities made and destroyed on every machine, a host that left, and a welcomed
// client's word that it has its welcome and is on its way.

class HostWelcomePacket : public NetPacket {
public:
    static constexpr uint32_t kType = 1;
    HostWelcomePacket() : NetPacket(kType) {}

    uint32_t PrepareOutBuffer() override;
    void CopyInbound(const uint8_t* data, int length) override;
    std::string GetPacketDescription(bool withType) const override;

    int32_t hostIndex = 0;
    // The server's seed for the rolls every machine must agree on.
    uint32_t seed = 0;
    int32_t difficulty = 0;
    int32_t playersExpected = 0;
    // The checksum of what the machines must share to play one world (its level and database):
    // a client whose own differs is refused rather than play another world under the same ids.
    uint32_t worldDigest = 0;
};

// An entity of the server's world, made on a client under the same id.
class EntitySpawnPacket : public ObjectContainerPacket {
public:
    static constexpr uint32_t kType = 2;
    static constexpr uint32_t kContainerKind = 1;
    EntitySpawnPacket() : ObjectContainerPacket(kType, kContainerKind) {}

    std::string GetPacketDescription(bool withType) const override;
};

class EntityDestroyPacket : public NetPacket {
public:
    static constexpr uint32_t kType = 3;
    EntityDestroyPacket() : NetPacket(kType) {}

    uint32_t PrepareOutBuffer() override;
    void CopyInbound(const uint8_t* data, int length) override;
    std::string GetPacketDescription(bool withType) const override;

    uint32_t entityId = 0;
};

// A message whose one word is a host index.
class HostIndexPacket : public NetPacket {
public:
    uint32_t PrepareOutBuffer() override;
    void CopyInbound(const uint8_t* data, int length) override;
    std::string GetPacketDescription(bool withType) const override;

    int32_t host = 0;

protected:
    explicit HostIndexPacket(uint32_t type) : NetPacket(type) {}
};

class HostLeftPacket : public HostIndexPacket {
public:
    static constexpr uint32_t kType = 4;
    HostLeftPacket() : HostIndexPacket(kType) {}
};

// A client says it at once on its welcome, before it loads its world: it is on its way, and its
// place is not to be given to another while it loads.
// `host` is the index its welcome gave it: a client speaks only for its own.
class HostJoiningPacket : public HostIndexPacket {
public:
    static constexpr uint32_t kType = 5;
    HostJoiningPacket() : HostIndexPacket(kType) {}
};

} // namespace GAME
