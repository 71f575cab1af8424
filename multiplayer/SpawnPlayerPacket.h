#pragma once

#include "engine/ObjectContainerPacket.h"

#include <string>

namespace GAME {

// Spawns a player on another machine: the player's id, then its replication record.
class SpawnPlayerPacket : public ObjectContainerPacket {
public:
    static constexpr uint32_t kType = 30;
    // The container kind of a spawned player.
    static constexpr uint32_t kContainerKind = 2;

    SpawnPlayerPacket() : ObjectContainerPacket(kType, kContainerKind) {}
    SpawnPlayerPacket(const SpawnPlayerPacket&) = default;
    SpawnPlayerPacket& operator=(const SpawnPlayerPacket&) = default;
    ~SpawnPlayerPacket() override;

    uint32_t PrepareOutBuffer() override;
    std::string GetPacketDescription(bool withType) const override;
};

} // namespace GAME
