#include "multiplayer/GameEnginePackets.h"

#include "engine/ConnectionManager.h"
#include "engine/NetPacketDescriber.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool gameEnginePacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<PartyRequestResponsePacket>();
    ConnectionManager::RegisterPacketClass<StartTeleportPacket>();
    ConnectionManager::RegisterPacketClass<NRLoaderStatePacket>();
    ConnectionManager::RegisterPacketClass<StartServerRespawnPacket>();
    return true;
}();
} // namespace

PartyRequestResponsePacket::PartyRequestResponsePacket() : NetPacket(29) {}

// The answer travels between the two ids, unlike the members' order.
uint32_t PartyRequestResponsePacket::PrepareOutBuffer()
{
    NetPacketOutBuffer out(*this);
    out.AddUInt(recipient);
    out.Add(accepted);
    out.AddUInt(sender);
    return out.Done();
}

void PartyRequestResponsePacket::CopyInbound(const uint8_t* data, int length)
{
    NetPacketInBuffer in(*this, data, length);
    in.RemoveUInt(recipient);
    in.Remove(accepted);
    in.RemoveUInt(sender);
}

std::string PartyRequestResponsePacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Recipient: ", recipient, 0);
    describer.Describe("Accepted:  ", accepted, 0);
    describer.Describe("Sender:    ", sender, 0);
    return describer.GetDescription();
}

StartTeleportPacket::StartTeleportPacket() : NetPacket(46) {}

uint32_t StartTeleportPacket::PrepareOutBuffer()
{
    NetPacketOutBuffer out(*this);
    out.AddUInt(playerId);
    out.AddUInt(x);
    out.AddUInt(y);
    out.AddUInt(z);
    return out.Done();
}

void StartTeleportPacket::CopyInbound(const uint8_t* data, int length)
{
    NetPacketInBuffer in(*this, data, length);
    in.RemoveUInt(playerId);
    in.RemoveUInt(x);
    in.RemoveUInt(y);
    in.RemoveUInt(z);
}

std::string StartTeleportPacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Player Id: ", playerId, 0);
    describer.Describe("x: ", x, 0);
    describer.Describe("y: ", y, 0);
    describer.Describe("z: ", z, 0);
    return describer.GetDescription();
}

NRLoaderStatePacket::NRLoaderStatePacket() : NetPacket(47) {}

uint32_t NRLoaderStatePacket::PrepareOutBuffer()
{
    NetPacketOutBuffer out(*this);
    out.AddUInt(playerId);
    out.AddUInt(state);
    return out.Done();
}

void NRLoaderStatePacket::CopyInbound(const uint8_t* data, int length)
{
    NetPacketInBuffer in(*this, data, length);
    in.RemoveUInt(playerId);
    in.RemoveUInt(state);
}

std::string NRLoaderStatePacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Player Id: ", playerId, 0);
    describer.Describe("State: ", state, 0);
    return describer.GetDescription();
}

StartServerRespawnPacket::StartServerRespawnPacket() : NetPacket(48) {}

uint32_t StartServerRespawnPacket::PrepareOutBuffer()
{
    NetPacketOutBuffer out(*this);
    out.AddUInt(playerId);
    out.Add(location);
    return out.Done();
}

void StartServerRespawnPacket::CopyInbound(const uint8_t* data, int length)
{
    NetPacketInBuffer in(*this, data, length);
    in.RemoveUInt(playerId);
    in.Remove(location);
}

std::string StartServerRespawnPacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Player Id: ", playerId, 0);
    describer.Describe("Location: ", location, 0);
    return describer.GetDescription();
}

} // namespace GAME
