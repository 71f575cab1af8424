#include "multiplayer/MessagePackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool messagePacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<QuestMessagePacket>();
    ConnectionManager::RegisterPacketClass<RemoteMessagePacket>();
    ConnectionManager::RegisterPacketClass<RemoteWMessagePacket>();
    ConnectionManager::RegisterPacketClass<ChatPacket>();
    return true;
}();
} // namespace

} // namespace GAME
