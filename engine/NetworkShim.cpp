#include "engine/NetworkShim.h"

#include "engine/Actor.h"
#include "engine/ActorConfigCommand.h"
#include "engine/CharacterAction.h"
#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

#include <map>
#include <mutex>

namespace GAME {

namespace {
// Filled during static initialisation, in any order across translation units.
struct ShimRegistry {
    std::mutex lock;
    std::map<uint32_t, NetworkShim::ActionBuilder> builders;
    std::map<uint32_t, NetworkShim::CommandBuilder> commandBuilders;
    NetworkShim::ActionReceiver receiver = nullptr;
    NetworkShim::PacketReceiver packetReceiver = nullptr;
};

ShimRegistry& Registry()
{
    static ShimRegistry registry;
    return registry;
}

template <typename Builder>
Builder FindIn(const std::map<uint32_t, Builder>& builders, uint32_t type)
{
    std::lock_guard<std::mutex> guard(Registry().lock);
    const auto found = builders.find(type);
    return found != builders.end() ? found->second : nullptr;
}

template <typename Builder>
bool RegisterIn(std::map<uint32_t, Builder>& builders, uint32_t type, Builder builder,
                const char* what)
{
    {
        std::lock_guard<std::mutex> guard(Registry().lock);
        if (builder != nullptr && builders.emplace(type, builder).second)
            return true;
    }
    gEngine->Log(Engine::LogData, "NetworkShim: %s builder for packet %u registered twice", what,
                 type);
    return false;
}

NetworkShim::ActionBuilder FindBuilder(uint32_t type)
{
    return FindIn(Registry().builders, type);
}

// Where a packet a machine sent goes: a client's to its server, a server's to every client. A
// client speaks only for what its host made: the server decides for the rest, and would refuse
// it (a client's stand-ins for the server's characters act here too).
void Send(uint32_t actorId, NetPacket& packet)
{
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    if (!gEngine->IsNetworkClient())
        connection.BroadcastPacket(packet);
    else if (ConnectionManager::HostOfId(actorId) == connection.GetLocalHostID())
        connection.SendPacket(packet);
}

// The sender already ran it, so its own packet does not go back to it.
void PassOn(int fromHost, NetPacket& packet)
{
    if (gEngine->IsNetworkServer())
        gEngine->GetNetworkConnectionManager().BroadcastPacketExcept(fromHost, packet);
}

bool ReceiveCommand(int fromHost, NetPacket& packet, NetworkShim::CommandBuilder builder)
{
    std::unique_ptr<ActorConfigCommand> command = builder(packet);
    const uint32_t actorId = command != nullptr ? command->GetActorId() : 0;
    Actor* actor = actorId != 0 ? ObjectManager::Instance().GetObject<Actor>(actorId) : nullptr;
    if (actor == nullptr)
        return gEngine->GetNetworkConnectionManager().Refuse(fromHost, "command for no actor");
    actor->LocalEnqueue(std::move(command));
    PassOn(fromHost, packet);
    return true;
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
NetworkShim::PacketReceiver GetPacketReceiver()
{
    ShimRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    return registry.packetReceiver;
}
} // namespace

void NetworkShim::SendAction(const CharacterAction& action)
{
    if (!gEngine->IsNetworkEnabled())
        return;
    std::unique_ptr<NetPacket> packet = action.GetNetPacket();
    if (packet != nullptr)
        Send(action.GetParentId(), *packet);
}

void NetworkShim::SendCommand(const ActorConfigCommand& command)
{
    if (!gEngine->IsNetworkEnabled())
        return;
    std::unique_ptr<NetPacket> packet = command.GetNetPacket();
    if (packet != nullptr)
        Send(command.GetActorId(), *packet);
}

bool NetworkShim::ReceivePacket(int fromHost, NetPacket& packet)
{
    const auto* actionPacket = dynamic_cast<const CharacterActionPacket*>(&packet);
    if (actionPacket == nullptr) {
        const CommandBuilder builder = FindIn(Registry().commandBuilders, packet.GetType());
        if (builder != nullptr)
            return ReceiveCommand(fromHost, packet, builder);
        const PacketReceiver other = GetPacketReceiver();
        return other != nullptr && other(fromHost, packet);
    }
    const uint32_t characterId = actionPacket->ownerId.GetId();
    // Judged where it comes in, on every machine it reaches: the sender's word is heard now.
    if (const World* world = gEngine->GetWorld();
        world != nullptr && !actionPacket->IsOfWorld(*world))
        return gEngine->GetNetworkConnectionManager().Refuse(fromHost,
                                                             "names a region this world lacks");
    std::unique_ptr<CharacterAction> action = characterId != 0 ? Rebuild(*actionPacket) : nullptr;
    const ActionReceiver receiver = GetReceiver();
    if (action == nullptr || receiver == nullptr || !receiver(characterId, std::move(action))) {
        gEngine->Log(Engine::LogRuntime,
                     "NetworkShim: action packet %u from host %d for character %u dropped",
                     packet.GetType(), fromHost, characterId);
        return false;
    }
    PassOn(fromHost, packet);
    return true;
}

bool NetworkShim::RegisterActionBuilder(uint32_t packetType, ActionBuilder builder)
{
    return RegisterIn(Registry().builders, packetType, builder, "action");
}

bool NetworkShim::RegisterCommandBuilder(uint32_t packetType, CommandBuilder builder)
{
    return RegisterIn(Registry().commandBuilders, packetType, builder, "command");
}

NetworkShim::ActionReceiver NetworkShim::SetActionReceiver(ActionReceiver receiver)
{
    ShimRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    const ActionReceiver previous = registry.receiver;
    registry.receiver = receiver;
    return previous;
}

NetworkShim::PacketReceiver NetworkShim::SetPacketReceiver(PacketReceiver receiver)
{
    ShimRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    const PacketReceiver previous = registry.packetReceiver;
    registry.packetReceiver = receiver;
    return previous;
}

} // namespace GAME
