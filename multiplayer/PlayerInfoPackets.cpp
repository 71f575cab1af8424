#include "multiplayer/PlayerInfoPackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool playerInfoPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<AllPlayersHeartbeatPacket>();
    ConnectionManager::RegisterPacketClass<SinglePlayerHeartbeatPacket>();
    ConnectionManager::RegisterPacketClass<AllPlayersBasicInfoPacket>();
    ConnectionManager::RegisterPacketClass<SinglePlayerBasicInfoPacket>();
    return true;
}();
} // namespace

void SinglePlayerBasicInfoPacket::DescribeBasicInfo(NetPacketDescriber& describer,
                                                    const PlayerNetBasicInfo& b, int level)
{
    describer.Describe("Player: ", b.name, level);
    describer.Describe("Is Male: ", b.isMale, level);
    describer.Describe("Level: ", b.level, level);
    describer.Describe("Player ID: ", b.playerId, level);
    describer.Describe("Health: ", b.health, level);
    describer.Describe("Maximum Health: ", b.maxHealth, level);
    describer.Describe("Mana: ", b.mana, level);
    describer.Describe("Maximum Mana: ", b.maxMana, level);
    describer.Describe("Party ID: ", b.partyId, level);
}

std::string SinglePlayerBasicInfoPacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    DescribeBasicInfo(describer, player, 0);
    return describer.GetDescription();
}

std::string AllPlayersBasicInfoPacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    for (const PlayerNetBasicInfo& player : players) {
        describer.Heading("Game Player", 0);
        SinglePlayerBasicInfoPacket::DescribeBasicInfo(describer, player, 1);
    }
    return describer.GetDescription();
}

} // namespace GAME
