#include "characters/ImmobilizeAction.h"

#include "characters/Character.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

ImmobilizeAction::ImmobilizeAction(uint32_t ownerId)
    : CharacterActionBase(ownerId, CharacterActionType_Immobilize)
{}

ImmobilizeAction::ImmobilizeAction(const ImmobilizePacket& packet)
    : ImmobilizeAction(packet.ownerId.GetId())
{}

void ImmobilizeAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr)
        return;
    owner->ExecuteImmobilize();
}

// Nothing but the owner travels: the receiver's own state decides the rest.
std::unique_ptr<NetPacket> ImmobilizeAction::GetNetPacket() const
{
    return NewPacket<ImmobilizePacket>();
}

std::string ImmobilizeAction::ToString() const
{
    return "ImobilizeAction";
}

} // namespace GAME
