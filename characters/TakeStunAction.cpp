#include "characters/TakeStunAction.h"

#include "characters/Character.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

TakeStunAction::TakeStunAction(uint32_t ownerId)
    : CharacterActionBase(ownerId, CharacterActionType_TakeStun)
{}

TakeStunAction::TakeStunAction(const TakeStunPacket& packet)
    : TakeStunAction(packet.ownerId.GetId())
{}

void TakeStunAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr)
        return;
    owner->ExecuteStun();
    owner->PlayStunSound();
}

// Nothing but the owner travels: the receiver's own state decides the rest.
std::unique_ptr<NetPacket> TakeStunAction::GetNetPacket() const
{
    return NewPacket<TakeStunPacket>();
}

std::string TakeStunAction::ToString() const
{
    return "TakeStunAction";
}

} // namespace GAME
