#include "multiplayer/SpawnPlayerPacket.h"

#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacketDescriber.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool spawnPlayerPacketRegistered =
    ConnectionManager::RegisterPacketClass<SpawnPlayerPacket>();
} // namespace

SpawnPlayerPacket::~SpawnPlayerPacket() = default;

uint32_t SpawnPlayerPacket::PrepareOutBuffer()
{
    const uint32_t id = objectId.GetId();
    gEngine->Log(Engine::LogInfo, "Replicating entity %d (0x%x) in SpawnPlayerPacket",
                 static_cast<int>(id), id);
    objectId.MarkForReplication(true);
    return ObjectContainerPacket::PrepareOutBuffer();
}

std::string SpawnPlayerPacket::GetPacketDescription(bool withType) const
{
    NetPacketDescriber describer(*this, withType);
    describer.Describe("Player Object Id: ", objectId, 0);
    return describer.GetDescription();
}

} // namespace GAME
