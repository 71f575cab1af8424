#include "multiplayer/EngineNetPackets.h"

#include "engine/ConnectionManager.h"

#include <algorithm>

namespace GAME {

namespace {
[[maybe_unused]] const bool engineNetPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<FrustumUpdatePacket>();
    ConnectionManager::RegisterPacketClass<WorldInitPacket>();
    ConnectionManager::RegisterPacketClass<PlayerPositionUpdatePacket>();
    ConnectionManager::RegisterPacketClass<ServerSpawnCompletePacket>();
    ConnectionManager::RegisterPacketClass<AckEntityPacket>();
    ConnectionManager::RegisterPacketClass<NackEntityPacket>();
    ConnectionManager::RegisterPacketClass<WarpEntityPacket>();
    return true;
}();
} // namespace

std::string PlayerPositionUpdatePacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Heading("Player Positions: ", 0);
    const size_t pairs = std::min(playerIds.size(), positions.size());
    for (size_t i = 0; i < pairs; ++i) {
        describer.Describe("Player ID: ", playerIds[i], 1);
        describer.Describe("Player Position: ", positions[i], 1);
    }
    return describer.GetDescription();
}

} // namespace GAME
