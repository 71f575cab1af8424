#include "multiplayer/SessionPackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool sessionPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<HostDonePacket>();
    ConnectionManager::RegisterPacketClass<SessionEndsPacket>();
    return true;
}();
} // namespace

} // namespace GAME
