#include "characters/UseAction.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "multiplayer/CharacterActionPackets.h"
#include "world/FixedItem.h"
#include "world/StrategicMovementBase.h"

namespace GAME {

UseAction::UseAction(uint32_t ownerId, uint32_t targetId)
    : CharacterActionBase(ownerId, CharacterActionType_Use), targetId(targetId)
{}

UseAction::UseAction(const UseItemPacket& packet) : UseAction(packet.ownerId.GetId(), packet.itemId)
{
    ReadPreMoveData(packet);
}

void UseAction::Execute()
{
    if (GetLivingOwnerOrFinish() == nullptr)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    if (FixedItem* fixedItem = objects.GetObject<FixedItem>(targetId))
        fixedItem->RequestToUse(GetParentId());
    else if (auto* strategic = objects.GetObject<StrategicMovementBase>(targetId))
        strategic->RequestToUse(GetParentId());
    Finish();
}

std::unique_ptr<NetPacket> UseAction::GetNetPacket() const
{
    auto packet = NewPacket<UseItemPacket>();
    packet->itemId = targetId;
    packet->location = GetOwnerPosition();
    return WithPreMoveData(std::move(packet));
}

std::string UseAction::ToString() const
{
    return "UseAction";
}

} // namespace GAME
