#include "characters/WalkAction.h"

#include "ai/ControllerBaseCharacter.h"
#include "characters/Character.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

WalkAction::WalkAction(uint32_t ownerId, const WorldVec3& from, const WorldVec3& to,
                       uint32_t targetId)
    : CharacterActionBase(ownerId, CharacterActionType_Walk), from(from), to(to), targetId(targetId)
{}

WalkAction::WalkAction(const WalkPacket& packet)
    : WalkAction(packet.ownerId.GetId(), packet.startLocation, packet.worldLocation,
                 packet.targetId)
{
    ReadPreMoveData(packet);
}

void WalkAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr)
        return;
    if (owner->DisallowsMovement()) {
        Finish();
        return;
    }
    if (ControllerBaseCharacter* controller = GetOwnerController(*owner))
        controller->SetTarget(targetId);
    owner->SetCurrentAttackTarget(targetId, to, 0);
    owner->SetPathPositionNotCoords(from);
    owner->WalkTo(to, GetBlendTime());
}

std::unique_ptr<NetPacket> WalkAction::GetNetPacket() const
{
    auto packet = NewPacket<WalkPacket>();
    packet->targetId = targetId;
    packet->startLocation = from;
    packet->worldLocation = to;
    return WithPreMoveData(std::move(packet));
}

std::string WalkAction::ToString() const
{
    return "WalkAction";
}

} // namespace GAME
