#include "world/FixedItemConfigCommands.h"

#include "engine/Engine.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "multiplayer/ConfigCmdPackets.h"

namespace GAME {

FixedItemStateChangeConfigCmd::FixedItemStateChangeConfigCmd(uint32_t itemId, FixedItem_State state,
                                                             uint32_t user, bool playSounds)
    : ActorConfigCommand(itemId), state(state), user(user), playSounds(playSounds)
{
    SetNetworked(true);
}

void FixedItemStateChangeConfigCmd::Execute()
{
    if (FixedItem* item = ObjectManager::Instance().GetObject<FixedItem>(actorId))
        item->SetFixedItemState(state, user, false, playSounds);
}

std::unique_ptr<NetPacket> FixedItemStateChangeConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<FixedItemStateChangeConfigCmdPacket>();
    packet->actorId = actorId;
    packet->state = static_cast<uint32_t>(state);
    packet->target = user;
    packet->doSound = playSounds;
    return packet;
}

FixedItemTargetsConfigCmd::FixedItemTargetsConfigCmd(uint32_t itemId, uint32_t user,
                                                     const std::vector<uint32_t>& targets)
    : ActorConfigCommand(itemId), user(user), targets(targets)
{
    SetNetworked(true);
}

FixedItem* FixedItemTargetsConfigCmd::FindItem() const
{
    return ObjectManager::Instance().GetObject<FixedItem>(actorId);
}

void FixedItemTargetConfigCmd::Execute()
{
    if (FixedItem* item = FindItem())
        item->UseOnTarget(user, targets);
}

void FixedItemSkillTargetConfigCmd::Execute()
{
    if (FixedItem* item = FindItem())
        item->UseSkillOnTargets(user, targets);
}

namespace {

template <typename Packet>
std::unique_ptr<NetPacket> MakeTargetsPacket(uint32_t actorId, uint32_t user,
                                             const std::vector<uint32_t>& targets)
{
    auto packet = std::make_unique<Packet>();
    packet->actorId = actorId;
    packet->primaryTarget = user;
    packet->targets = targets;
    return packet;
}

std::unique_ptr<ActorConfigCommand> RebuildStateChange(const FixedItemStateChangeConfigCmdPacket& p)
{
    // A peer's word that names no state never reaches an item.
    if (!IsFixedItemState(p.state)) {
        gEngine->Log(Engine::LogRuntime, "Fixed item %u: received state %u is no state",
                     p.actorId.GetId(), p.state);
        return nullptr;
    }
    return std::make_unique<FixedItemStateChangeConfigCmd>(
        p.actorId.GetId(), static_cast<FixedItem_State>(p.state), p.target.GetId(), p.doSound);
}

std::unique_ptr<ActorConfigCommand> RebuildStateChange(const FixedItemTargetConfigCmdPacket& p)
{
    return std::make_unique<FixedItemTargetConfigCmd>(p.actorId.GetId(), p.primaryTarget.GetId(),
                                                      p.targets);
}

std::unique_ptr<ActorConfigCommand> RebuildStateChange(const FixedItemSkillTargetConfigCmdPacket& p)
{
    return std::make_unique<FixedItemSkillTargetConfigCmd>(p.actorId.GetId(),
                                                           p.primaryTarget.GetId(), p.targets);
}

[[maybe_unused]] const bool fixedItemConfigCommandsRegistered = [] {
    NetworkShim::RegisterCommand<FixedItemStateChangeConfigCmdPacket, RebuildStateChange>();
    NetworkShim::RegisterCommand<FixedItemTargetConfigCmdPacket, RebuildStateChange>();
    NetworkShim::RegisterCommand<FixedItemSkillTargetConfigCmdPacket, RebuildStateChange>();
    return true;
}();

} // namespace

std::unique_ptr<NetPacket> FixedItemTargetConfigCmd::GetNetPacket() const
{
    return MakeTargetsPacket<FixedItemTargetConfigCmdPacket>(actorId, user, targets);
}

std::unique_ptr<NetPacket> FixedItemSkillTargetConfigCmd::GetNetPacket() const
{
    return MakeTargetsPacket<FixedItemSkillTargetConfigCmdPacket>(actorId, user, targets);
}

} // namespace GAME
