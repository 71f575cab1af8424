#include "engine/ConnectionManager.h"

#include "engine/Engine.h"
#include "engine/NetPacket.h"

#include <map>
#include <mutex>

namespace GAME {

namespace {
// Packet classes register during static initialisation, in any order across translation
// units, so the registry is built on first use.
struct PacketRegistry {
    std::mutex lock;
    std::map<uint32_t, ConnectionManager::PacketFactory> factories;
};

PacketRegistry& Registry()
{
    static PacketRegistry registry;
    return registry;
}

uint32_t WordAt(const uint8_t* b)
{
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}
} // namespace

void ConnectionManager::Record(Route route, int host, NetPacket& packet)
{
    const uint32_t size = packet.PrepareOutBuffer();
    if (size != packet.GetOutBufferSize() || size < NetPacketHeader::kSize) {
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: packet %u prepared %u bytes, holds %u",
                     packet.GetType(), size, packet.GetOutBufferSize());
        return;
    }
    const uint8_t* bytes = packet.GetOutBuffer();
    sent.push_back({route, host, std::vector<uint8_t>(bytes, bytes + size)});
}

void ConnectionManager::SendPacket(NetPacket& packet)
{
    Record(Route::Send, kPeerHosts, packet);
}

void ConnectionManager::BroadcastPacket(NetPacket& packet)
{
    Record(Route::Broadcast, kPeerHosts, packet);
}

void ConnectionManager::BroadcastPacketExcept(int excludedHost, NetPacket& packet)
{
    Record(Route::Broadcast, excludedHost, packet);
}

void ConnectionManager::SendPacketToHost(int host, NetPacket& packet)
{
    Record(Route::ToHost, host, packet);
}

std::vector<ConnectionManager::SentPacket> ConnectionManager::TakeSentPackets()
{
    std::vector<SentPacket> taken;
    taken.swap(sent);
    return taken;
}

void ConnectionManager::DropHost(int host, const std::string& reason)
{
    dropped.emplace_back(host, reason);
}

bool ConnectionManager::RegisterPacketType(uint32_t type, PacketFactory factory)
{
    PacketRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    if (factory == nullptr || !registry.factories.emplace(type, factory).second) {
        gEngine->Log(Engine::LogData, "ConnectionManager: packet type %u registered twice", type);
        return false;
    }
    return true;
}

std::unique_ptr<NetPacket> ConnectionManager::CreatePacket(uint32_t type)
{
    PacketRegistry& registry = Registry();
    PacketFactory factory = nullptr;
    {
        std::lock_guard<std::mutex> guard(registry.lock);
        const auto found = registry.factories.find(type);
        if (found != registry.factories.end())
            factory = found->second;
    }
    return factory != nullptr ? factory() : nullptr;
}

std::unique_ptr<NetPacket> ConnectionManager::DecodePacket(const uint8_t* bytes, size_t count)
{
    if (bytes == nullptr || count < NetPacketHeader::kSize) {
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: message of %zu bytes has no header",
                     count);
        return nullptr;
    }
    const uint32_t type = WordAt(bytes);
    const uint32_t size = WordAt(bytes + 4);
    if (size != count - NetPacketHeader::kSize || size > INT32_MAX) {
        gEngine->Log(Engine::LogRuntime,
                     "ConnectionManager: packet %u claims %u bytes of fields, message has %zu",
                     type, size, count - NetPacketHeader::kSize);
        return nullptr;
    }
    std::unique_ptr<NetPacket> packet = CreatePacket(type);
    if (packet == nullptr) {
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: unknown packet type %u", type);
        return nullptr;
    }
    packet->CopyInbound(bytes + NetPacketHeader::kSize, static_cast<int>(size));
    if (!packet->IsInboundComplete()) {
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: packet %u does not read back", type);
        return nullptr;
    }
    return packet;
}

std::unique_ptr<NetPacket> ConnectionManager::DecodePacket(const std::vector<uint8_t>& bytes)
{
    return DecodePacket(bytes.data(), bytes.size());
}

} // namespace GAME
