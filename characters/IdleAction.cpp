#include "characters/IdleAction.h"

#include "characters/Character.h"
#include "engine/Name.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

IdleAction::IdleAction(uint32_t ownerId) : CharacterActionBase(ownerId, CharacterActionType_Idle) {}

IdleAction::IdleAction(const IdleActionPacket& packet) : IdleAction(packet.ownerId.GetId())
{
    ReadPreMoveData(packet);
}

void IdleAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr || owner->GetActionState() == ActionState_Idle)
        return;
    owner->SetActionState(ActionState_Idle);
    PlayAnimation(owner, AnimationSet_AttackIdle, false);
}

void IdleAction::AnimationCallback(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        PlayAnimation(GetOwner(), AnimationSet_AttackIdle, false);
}

std::unique_ptr<NetPacket> IdleAction::GetNetPacket() const
{
    auto packet = NewPacket<IdleActionPacket>();
    packet->location = GetOwnerPosition();
    return WithPreMoveData(std::move(packet));
}

std::string IdleAction::ToString() const
{
    return "IdleAction";
}

} // namespace GAME
