#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class NetPacket;

// The network transport. Every packet handed to it is encoded to bytes at once (the sender may
// refill the packet right after) and kept, with where it was to go, until someone takes it:
// the tests, or the headless host, which delivers it. Received bytes become packets again
// through the registry of packet types, each type number with the factory of its class.
class ConnectionManager {
public:
    enum class Route { Send, Broadcast, ToHost };
    // The host of Send and Broadcast, whose peers the transport's role decides: a client's
    // Send goes to the server, a server's to its clients.
    static constexpr int kPeerHosts = -1;

    struct SentPacket {
        Route route;
        int host;
        std::vector<uint8_t> bytes; // header, then fields
    };

    using PacketFactory = std::unique_ptr<NetPacket> (*)();

    ConnectionManager() = default;
    ConnectionManager(const ConnectionManager&) = delete;
    ConnectionManager& operator=(const ConnectionManager&) = delete;

    void SendPacket(NetPacket& packet);
    void BroadcastPacket(NetPacket& packet);
    // A broadcast that skips one host, recorded as a broadcast with that host.
    void BroadcastPacketExcept(int excludedHost, NetPacket& packet);
    void SendPacketToHost(int host, NetPacket& packet);

    const std::vector<SentPacket>& GetSentPackets() const { return sent; }
    std::vector<SentPacket> TakeSentPackets();
    void ClearSentPackets() { sent.clear(); }

    int GetLocalHostID() const { return localHostId; }
    void SetLocalHostID(int host) { localHostId = host; }
    // Drops a host's connection; kept as (host, reason) for the host program to act on.
    void DropHost(int host, const std::string& reason);
    const std::vector<std::pair<int, std::string>>& GetDroppedHosts() const { return dropped; }

    // The first factory of a type number stays; a second is refused with a log line.
    static bool RegisterPacketType(uint32_t type, PacketFactory factory);
    template <class PacketClass> static bool RegisterPacketClass()
    {
        return RegisterPacketType(PacketClass().GetType(), []() -> std::unique_ptr<NetPacket> {
            return std::make_unique<PacketClass>();
        });
    }
    // A fresh packet of the type, or null for a type nobody registered.
    static std::unique_ptr<NetPacket> CreatePacket(uint32_t type);
    // One whole message, header included. Null, with a log line, when the message is short,
    // its size word disagrees with the bytes, its type is unknown or its fields do not read
    // back exactly.
    static std::unique_ptr<NetPacket> DecodePacket(const uint8_t* bytes, size_t count);
    static std::unique_ptr<NetPacket> DecodePacket(const std::vector<uint8_t>& bytes);

private:
    void Record(Route route, int host, NetPacket& packet);

    std::vector<SentPacket> sent;
    std::vector<std::pair<int, std::string>> dropped;
    int localHostId = 0;
};

} // namespace GAME
