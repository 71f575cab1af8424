#include "engine/NetworkShim.h"

#include "engine/CharacterAction.h"
#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"

#include <map>
#include <mutex>

namespace GAME {

namespace {
// Filled during static initialisation, in any order across translation units.
struct ShimRegistry {
    std::mutex lock;
    std::map<uint32_t, NetworkShim::ActionBuilder> builders;
    NetworkShim::ActionReceiver receiver = nullptr;
};

ShimRegistry& Registry()
{
    static ShimRegistry registry;
    return registry;
}

NetworkShim::ActionBuilder FindBuilder(uint32_t type)
{
    ShimRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    const auto found = registry.builders.find(type);
    return found != registry.builders.end() ? found->second : nullptr;
}

std::unique_ptr<CharacterAction> Rebuild(const CharacterActionPacket& packet)
{
    const NetworkShim::ActionBuilder builder = FindBuilder(packet.GetType());
    std::unique_ptr<CharacterAction> action = builder != nullptr ? builder(packet) : nullptr;
    if (action != nullptr && packet.hasPreMoveData)
        action->SetPreMoveData(packet.preMovePoint, packet.preMoveTargetId, packet.preMoveSkillId,
                               packet.preMoveValue);
    return action;
}

NetworkShim::ActionReceiver GetReceiver()
{
    ShimRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    return registry.receiver;
}
} // namespace

void NetworkShim::SendAction(const CharacterAction& action)
{
    if (!gEngine->IsNetworkEnabled())
        return;
    std::unique_ptr<NetPacket> packet = action.GetNetPacket();
    if (packet == nullptr)
        return;
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    if (gEngine->IsNetworkClient())
        connection.SendPacket(*packet);
    else
        connection.BroadcastPacket(*packet);
}

bool NetworkShim::ReceivePacket(int fromHost, NetPacket& packet)
{
    const auto* actionPacket = dynamic_cast<const CharacterActionPacket*>(&packet);
    if (actionPacket == nullptr)
        return false;
    const uint32_t characterId = actionPacket->ownerId.GetId();
    std::unique_ptr<CharacterAction> action = characterId != 0 ? Rebuild(*actionPacket) : nullptr;
    const ActionReceiver receiver = GetReceiver();
    if (action == nullptr || receiver == nullptr || !receiver(characterId, std::move(action))) {
        gEngine->Log(Engine::LogRuntime,
                     "NetworkShim: action packet %u from host %d for character %u dropped",
                     packet.GetType(), fromHost, characterId);
        return false;
    }
    // The sender already ran it, so its own packet does not go back to it.
    if (gEngine->IsNetworkServer())
        gEngine->GetNetworkConnectionManager().BroadcastPacketExcept(fromHost, packet);
    return true;
}

bool NetworkShim::RegisterActionBuilder(uint32_t packetType, ActionBuilder builder)
{
    ShimRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    if (builder == nullptr || !registry.builders.emplace(packetType, builder).second) {
        gEngine->Log(Engine::LogData, "NetworkShim: action builder for packet %u registered twice",
                     packetType);
        return false;
    }
    return true;
}

NetworkShim::ActionReceiver NetworkShim::SetActionReceiver(ActionReceiver receiver)
{
    ShimRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    const ActionReceiver previous = registry.receiver;
    registry.receiver = receiver;
    return previous;
}

} // namespace GAME
