#include "characters/TakeTrapAction.h"

#include "characters/Character.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

TakeTrapAction::TakeTrapAction(uint32_t ownerId)
    : CharacterActionBase(ownerId, CharacterActionType_TakeTrap)
{}

TakeTrapAction::TakeTrapAction(const TakeTrapPacket& packet)
    : TakeTrapAction(packet.ownerId.GetId())
{}

void TakeTrapAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr)
        return;
    owner->ExecuteTrap();
    Finish();
}

// Nothing but the owner travels: the receiver's own state decides the rest.
std::unique_ptr<NetPacket> TakeTrapAction::GetNetPacket() const
{
    return NewPacket<TakeTrapPacket>();
}

std::string TakeTrapAction::ToString() const
{
    return "TakeTrapAction";
}

} // namespace GAME
