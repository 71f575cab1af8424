#include "multiplayer/QuestCommandPackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool questCommandPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<QuestCommandMovePacket>();
    ConnectionManager::RegisterPacketClass<QuestCommandWalkPacket>();
    ConnectionManager::RegisterPacketClass<QuestCommandPlayAnimationPacket>();
    ConnectionManager::RegisterPacketClass<QuestCommandUseSkillPacket>();
    ConnectionManager::RegisterPacketClass<QuestCommandLockFixedItemPacket>();
    return true;
}();
} // namespace

} // namespace GAME
