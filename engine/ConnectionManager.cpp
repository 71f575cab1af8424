#include "engine/ConnectionManager.h"

#include "engine/Engine.h"
#include "engine/NetPacket.h"

namespace GAME {

namespace {
// Packet classes register during static initialisation, on one thread and before anyone sends
// or receives, so the tables are flat and read without a lock afterwards.
struct PacketTable {
    std::array<ConnectionManager::PacketFactory, ConnectionManager::kMaxTypes> factories{};
    std::array<ConnectionManager::PacketRule, ConnectionManager::kMaxTypes> rules{};
    std::array<bool, ConnectionManager::kMaxTypes> ruled{};
};

PacketTable& Table()
{
    static PacketTable table;
    return table;
}

uint32_t WordAt(const uint8_t* b)
{
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

constexpr uint32_t Bit(int host)
{
    return host >= 0 && host <= ConnectionManager::kMaxClients ? 1u << host : 0u;
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
    if (transport != nullptr) {
        Dispatch(route, host, packet);
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

uint32_t ConnectionManager::RouteMask(const NetPacket& packet, int fromHost, uint32_t clients)
{
    const uint32_t everyone = clients | Bit(kServerHost);
    const PacketRule& rule = GetPacketRule(packet.GetType());
    switch (rule.addressee) {
    case Addressee::Server:
        return Bit(kServerHost);
    case Addressee::Relayed:
        return fromHost == kServerHost ? clients : Bit(kServerHost);
    case Addressee::Player: {
        const uint32_t player = rule.player != nullptr ? rule.player(packet) : 0;
        if (player != 0)
            return Bit(HostOfId(player)) & everyone;
        return everyone & ~Bit(fromHost);
    }
    case Addressee::EveryoneButSender:
        return everyone & ~Bit(fromHost);
    case Addressee::Everyone:
        break;
    }
    return everyone;
}

bool ConnectionManager::RegisterPacketType(uint32_t type, PacketFactory factory)
{
    PacketTable& table = Table();
    if (factory == nullptr || type >= kMaxTypes || table.factories[type] != nullptr) {
        gEngine->Log(Engine::LogData, "ConnectionManager: packet type %u registered twice", type);
        return false;
    }
    table.factories[type] = factory;
    return true;
}

bool ConnectionManager::RegisterPacketRule(uint32_t type, const PacketRule& rule)
{
    PacketTable& table = Table();
    if (type >= kMaxTypes || table.ruled[type]) {
        gEngine->Log(Engine::LogData, "ConnectionManager: rule of packet %u registered twice",
                     type);
        return false;
    }
    table.rules[type] = rule;
    table.ruled[type] = true;
    return true;
}

const ConnectionManager::PacketRule& ConnectionManager::GetPacketRule(uint32_t type)
{
    static const PacketRule everyone;
    return type < kMaxTypes ? Table().rules[type] : everyone;
}

std::unique_ptr<NetPacket> ConnectionManager::CreatePacket(uint32_t type)
{
    const PacketFactory factory = type < kMaxTypes ? Table().factories[type] : nullptr;
    return factory != nullptr ? factory() : nullptr;
}

std::unique_ptr<NetPacket> ConnectionManager::DecodePacket(const uint8_t* bytes, size_t count,
                                                           const char*& why)
{
    why = nullptr;
    if (bytes == nullptr || count < NetPacketHeader::kSize) {
        why = "no header";
        return nullptr;
    }
    const uint32_t type = WordAt(bytes);
    const uint32_t size = WordAt(bytes + 4);
    if (size != count - NetPacketHeader::kSize || size > INT32_MAX) {
        why = "size word wrong";
        return nullptr;
    }
    std::unique_ptr<NetPacket> packet = CreatePacket(type);
    if (packet == nullptr) {
        why = "unknown type";
        return nullptr;
    }
    packet->CopyInbound(bytes + NetPacketHeader::kSize, static_cast<int>(size));
    if (!packet->IsInboundComplete()) {
        why = "fields do not read back";
        return nullptr;
    }
    return packet;
}

std::unique_ptr<NetPacket> ConnectionManager::DecodePacket(const uint8_t* bytes, size_t count)
{
    const char* why = nullptr;
    std::unique_ptr<NetPacket> packet = DecodePacket(bytes, count, why);
    if (packet != nullptr)
        return packet;
    if (count < NetPacketHeader::kSize || bytes == nullptr) {
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: message of %zu bytes has no header",
                     count);
        return nullptr;
    }
    const uint32_t type = WordAt(bytes);
    const uint32_t size = WordAt(bytes + 4);
    if (size != count - NetPacketHeader::kSize || size > INT32_MAX)
        gEngine->Log(Engine::LogRuntime,
                     "ConnectionManager: packet %u claims %u bytes of fields, message has %zu",
                     type, size, count - NetPacketHeader::kSize);
    else if (CreatePacket(type) == nullptr)
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: unknown packet type %u", type);
    else
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: packet %u does not read back", type);
    return nullptr;
}

std::unique_ptr<NetPacket> ConnectionManager::DecodePacket(const std::vector<uint8_t>& bytes)
{
    return DecodePacket(bytes.data(), bytes.size());
}

// All or nothing: a bundle whose messages do not fill it exactly, that holds none or holds another
// bundle, is refused whole. A client holds what came with its welcome, as it holds what follows
// it, until its world is whole.
bool ConnectionManager::ReceiveBundle(int fromHost, const uint8_t* bytes, size_t count)
{
    constexpr size_t kHeader = NetPacketHeader::kSize;
    if (bytes == nullptr || count < kHeader || WordAt(bytes) != kBundleType)
        return false;
    const Engine::PeerWord word(clock.Ms(), fromHost);
    if (IsServer() && fromHost != kServerHost && windows[Slot(fromHost)].flooded)
        return true;
    bool whole = count > kHeader && WordAt(bytes + 4) == count - kHeader;
    for (size_t at = kHeader; whole && at < count;) {
        whole = count - at >= kHeader && WordAt(bytes + at + 4) <= count - at - kHeader &&
                WordAt(bytes + at) != kBundleType;
        at += whole ? kHeader + WordAt(bytes + at + 4) : 0;
    }
    if (!whole) {
        Refuse(fromHost, "bundle's messages do not fit it");
        return true;
    }
    const bool welcomed = welcome.heard;
    for (size_t at = kHeader; at < count;) {
        const size_t length = kHeader + WordAt(bytes + at + 4);
        if (!IsServer() && !welcomed && welcome.heard)
            Hold(bytes + at, length);
        else
            Receive(fromHost, bytes + at, length);
        at += length;
    }
    return true;
}

void ConnectionManager::Hold(const uint8_t* bytes, size_t count)
{
    heldBytes += HeldCost(count);
    held.emplace_back(bytes, bytes + count);
}

} // namespace GAME
