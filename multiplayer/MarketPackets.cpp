#include "multiplayer/MarketPackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool marketPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<MarketC2SUpdateRequestPacket>();
    ConnectionManager::RegisterPacketClass<MarketC2SSellBackPacket>();
    ConnectionManager::RegisterPacketClass<MarketC2SPurchaseRequestPacket>();
    ConnectionManager::RegisterPacketClass<MarketS2CStatusUpdatePacket>();
    ConnectionManager::RegisterPacketClass<MarketS2CPurchaseDeniedPacket>();
    ConnectionManager::RegisterPacketClass<MarketS2CPurchaseConfirmationPacket>();
    ConnectionManager::RegisterPacketClass<MarketS2CUpdatePacket>();
    return true;
}();
} // namespace

} // namespace GAME
