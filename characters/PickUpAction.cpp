#include "characters/PickUpAction.h"

#include "ai/ControllerCharacter.h"
#include "characters/Character.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

PickUpAction::PickUpAction(uint32_t ownerId, uint32_t targetId)
    : CharacterActionBase(ownerId, CharacterActionType_PickUp), targetId(targetId)
{}

PickUpAction::PickUpAction(const PickUpItemPacket& packet)
    : PickUpAction(packet.ownerId.GetId(), packet.itemId)
{
    ReadPreMoveData(packet);
}

void PickUpAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    if (Item* item = objects.GetObject<Item>(targetId)) {
        if (!item->IsInWorld()) {
            Finish();
            return;
        }
        owner->SetActionState(ActionState_Pickup);
        TurnToward(*owner, item->GetCoords().GetPosition());
    } else {
        // Only a corpse still worth a look is touched; anything else leaves the action waiting.
        Character* corpse = objects.GetObject<Character>(targetId);
        if (corpse == nullptr || corpse->IsAlive() || !corpse->IsOfInterest())
            return;
        corpse->TouchedByPlayer();
    }
    if (!PlayAnimation(owner, AnimationSet_Pickup, false))
        Finish();
}

void PickUpAction::AnimationCallback(const Name& event)
{
    static const Name end = Name::Create("End");
    static const Name pickup = Name::Create("Pickup");
    const Character* owner = GetOwner();
    if (owner == nullptr || event == end) {
        Finish();
        return;
    }
    if (event != pickup)
        return;
    if (auto* controller =
            ObjectManager::Instance().GetObject<ControllerCharacter>(owner->GetControllerId()))
        controller->PickupItem(targetId);
}

std::unique_ptr<NetPacket> PickUpAction::GetNetPacket() const
{
    auto packet = NewPacket<PickUpItemPacket>();
    packet->itemId = targetId;
    packet->location = GetOwnerPosition();
    return WithPreMoveData(std::move(packet));
}

std::string PickUpAction::ToString() const
{
    return "PickUpAction";
}

} // namespace GAME
