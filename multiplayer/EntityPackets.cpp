#include "multiplayer/EntityPackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool entityPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<CreateItemPacket>();
    ConnectionManager::RegisterPacketClass<CreateEntityPacket>();
    ConnectionManager::RegisterPacketClass<CreateItemTeleportPacket>();
    ConnectionManager::RegisterPacketClass<DestroyItemTeleportPacket>();
    ConnectionManager::RegisterPacketClass<UpdatePositionPacket>();
    return true;
}();
} // namespace

} // namespace GAME
