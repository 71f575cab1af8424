#include "characters/EngageNpcAction.h"

#include "characters/Npc.h"
#include "engine/ObjectManager.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

EngageNpcAction::EngageNpcAction(uint32_t ownerId, uint32_t npcId, bool firstFlag, bool secondFlag)
    : CharacterActionBase(ownerId, CharacterActionType_EngageNpc), npcId(npcId),
      firstFlag(firstFlag), secondFlag(secondFlag)
{}

// The flags stay on the sending machine.
EngageNpcAction::EngageNpcAction(const EngageNpcPacket& packet)
    : EngageNpcAction(packet.ownerId.GetId(), packet.targetId, false, false)
{
    ReadPreMoveData(packet);
}

void EngageNpcAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    Npc* npc = npcId != 0 ? ObjectManager::Instance().GetObject<Npc>(npcId) : nullptr;
    if (owner == nullptr || npc == nullptr)
        return;
    npc->OnPlayerInteract(owner->GetObjectId(), firstFlag, secondFlag);
    Finish();
}

std::unique_ptr<NetPacket> EngageNpcAction::GetNetPacket() const
{
    auto packet = NewPacket<EngageNpcPacket>();
    packet->targetId = npcId;
    return WithPreMoveData(std::move(packet));
}

std::string EngageNpcAction::ToString() const
{
    return "EngageNpcAction";
}

} // namespace GAME
