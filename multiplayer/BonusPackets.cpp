#include "multiplayer/BonusPackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool bonusPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<GiveGoldPacket>();
    ConnectionManager::RegisterPacketClass<BonusToClientPacket>();
    ConnectionManager::RegisterPacketClass<BonusToServerPacket>();
    return true;
}();
} // namespace

} // namespace GAME
