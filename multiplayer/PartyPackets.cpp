#include "multiplayer/PartyPackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool partyPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<JoinPartyConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<InvitePartyConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<GameBalanceUpdatePacket>();
    return true;
}();
} // namespace

} // namespace GAME
