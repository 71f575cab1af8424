#include "multiplayer/TradePackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool tradePacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<TradeInitiatePacket>();
    ConnectionManager::RegisterPacketClass<TradeCancelPacket>();
    ConnectionManager::RegisterPacketClass<TradeSetGoldPacket>();
    ConnectionManager::RegisterPacketClass<TradeAddItemPacket>();
    ConnectionManager::RegisterPacketClass<TradeRemoveItemPacket>();
    ConnectionManager::RegisterPacketClass<TradeFinalizePacket>();
    return true;
}();
} // namespace

} // namespace GAME
