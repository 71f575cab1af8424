#include "engine/HostMessagePackets.h"

#include "engine/ConnectionManager.h"
#include "engine/NetPacketDescriber.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"

namespace GAME {

namespace {
// Only the server speaks these; where they go the sender says (SendPacketToHost, Broadcast).
template <class PacketClass> bool RegisterServerOnly()
{
    ConnectionManager::PacketRule rule;
    rule.speaks = ConnectionManager::Speaker::ServerOnly;
    return ConnectionManager::RegisterPacketClass<PacketClass>() &&
           ConnectionManager::RegisterPacketRule(PacketClass::kType, rule);
}

// A client's, for the server alone, once: the host it names must be its own.
bool RegisterJoining()
{
    ConnectionManager::PacketRule rule;
    rule.addressee = ConnectionManager::Addressee::Server;
    rule.speaks = ConnectionManager::Speaker::Own;
    rule.speaker = [](const NetPacket& packet) {
        const int32_t host = static_cast<const HostJoiningPacket&>(packet).host;
        return host >= 1 && host <= ConnectionManager::kMaxClients ? uint32_t(host) << 28 : 0u;
    };
    rule.perSecond = 1;
    return ConnectionManager::RegisterPacketClass<HostJoiningPacket>() &&
           ConnectionManager::RegisterPacketRule(HostJoiningPacket::kType, rule);
}

[[maybe_unused]] const bool hostMessagePacketsRegistered =
    RegisterServerOnly<HostWelcomePacket>() && RegisterServerOnly<EntitySpawnPacket>() &&
    RegisterServerOnly<EntityDestroyPacket>() && RegisterServerOnly<HostLeftPacket>() &&
    RegisterJoining();

// Every plain message here is a few words, written and read in one order.
template <class Visit> uint32_t Write(NetPacket& packet, Visit visit)
{
    NetPacketOutBuffer out(packet);
    visit([&out](auto& word) { out.AddUInt(word); });
    return out.Done();
}

template <class Visit> void Read(NetPacket& packet, const uint8_t* data, int length, Visit visit)
{
    NetPacketInBuffer in(packet, data, length);
    visit([&in](auto& word) { in.RemoveUInt(word); });
}
} // namespace

uint32_t HostWelcomePacket::PrepareOutBuffer()
{
    return Write(*this, [this](auto field) {
        field(hostIndex), field(seed), field(difficulty), field(playersExpected),
            field(worldDigest);
    });
}

void HostWelcomePacket::CopyInbound(const uint8_t* data, int length)
{
    Read(*this, data, length, [this](auto field) {
        field(hostIndex), field(seed), field(difficulty), field(playersExpected),
            field(worldDigest);
    });
}

std::string HostWelcomePacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Host Index: ", hostIndex, 0);
    describer.Describe("Seed: ", seed, 0);
    describer.Describe("Difficulty: ", difficulty, 0);
    describer.Describe("Players Expected: ", playersExpected, 0);
    describer.Describe("World Digest: ", worldDigest, 0);
    return describer.GetDescription();
}

std::string EntitySpawnPacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Record: ", recordName, 0);
    describer.Describe("Entity Id: ", objectId, 0);
    describer.Describe("Coords: ", coords, 0);
    return describer.GetDescription();
}

uint32_t EntityDestroyPacket::PrepareOutBuffer()
{
    return Write(*this, [this](auto field) { field(entityId); });
}

void EntityDestroyPacket::CopyInbound(const uint8_t* data, int length)
{
    Read(*this, data, length, [this](auto field) { field(entityId); });
}

std::string EntityDestroyPacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Entity Id: ", entityId, 0);
    return describer.GetDescription();
}

uint32_t HostIndexPacket::PrepareOutBuffer()
{
    return Write(*this, [this](auto field) { field(host); });
}

void HostIndexPacket::CopyInbound(const uint8_t* data, int length)
{
    Read(*this, data, length, [this](auto field) { field(host); });
}

std::string HostIndexPacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Host: ", host, 0);
    return describer.GetDescription();
}

} // namespace GAME
