#include "characters/DieAction.h"

#include "characters/Character.h"
#include "combat/DeathManager.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

DieAction::DieAction(uint32_t ownerId, const std::vector<uint32_t>& objectIds)
    : CharacterActionBase(ownerId, CharacterActionType_Die), objectIds(objectIds)
{}

DieAction::DieAction(const DiePacket& packet)
    : DieAction(packet.ownerId.GetId(), packet.deathHandlerIds)
{
    ReadPreMoveData(packet);
}

// Alive or already dead, the owner dies (again); without one there is nothing to do.
void DieAction::Execute()
{
    Character* owner = GetOwner();
    if (owner == nullptr)
        return;
    owner->SetLifeState(LifeState_Dying);
    owner->SetActionState(ActionState_Dying);
    if (DeathManager* deaths = owner->GetDeathManager()) {
        deaths->SetObjectIds(objectIds);
        deaths->Execute();
    }
    owner->GetPlayStats().IncrementDeaths();
}

void DieAction::AnimationCallback(const Name& event)
{
    Character* owner = GetOwner();
    if (owner == nullptr || !IsActive())
        return;
    if (DeathManager* deaths = owner->GetDeathManager())
        deaths->AnimationCallback(event);
}

void DieAction::Finish()
{
    if (Character* owner = GetOwner())
        owner->SetLifeState(LifeState_Dead);
    CharacterActionBase::Finish();
}

std::unique_ptr<NetPacket> DieAction::GetNetPacket() const
{
    auto packet = NewPacket<DiePacket>();
    packet->deathHandlerIds = objectIds;
    return WithPreMoveData(std::move(packet));
}

std::string DieAction::ToString() const
{
    return "DieAction";
}

} // namespace GAME
