#pragma once

#include "engine/NetPacket.h"
#include "engine/WorldVec3.h"

#include <cstdint>
#include <string>

namespace GAME {

// The messages that GameEngine fills and sends itself rather than through the network
// interface: teleports, region loader states, party answers and respawn requests. The fields
// are filled directly by the sender.

class PartyRequestResponsePacket : public NetPacket {
public:
    PartyRequestResponsePacket();
    uint32_t PrepareOutBuffer() override;
    void CopyInbound(const uint8_t* data, int length) override;
    std::string GetPacketDescription(bool withType) const override;

    uint32_t recipient = 0;
    uint32_t sender = 0;
    bool accepted = false;
};

class StartTeleportPacket : public NetPacket {
public:
    StartTeleportPacket();
    uint32_t PrepareOutBuffer() override;
    void CopyInbound(const uint8_t* data, int length) override;
    std::string GetPacketDescription(bool withType) const override;

    uint32_t playerId = 0;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

class NRLoaderStatePacket : public NetPacket {
public:
    NRLoaderStatePacket();
    uint32_t PrepareOutBuffer() override;
    void CopyInbound(const uint8_t* data, int length) override;
    std::string GetPacketDescription(bool withType) const override;

    uint32_t playerId = 0;
    // 0 not started, 1 loading, 2 loaded.
    int32_t state = 0;
};

class StartServerRespawnPacket : public NetPacket {
public:
    StartServerRespawnPacket();
    uint32_t PrepareOutBuffer() override;
    void CopyInbound(const uint8_t* data, int length) override;
    std::string GetPacketDescription(bool withType) const override;

    uint32_t playerId = 0;
    WorldVec3 location;
};

} // namespace GAME
