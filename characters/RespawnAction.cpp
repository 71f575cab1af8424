#include "characters/RespawnAction.h"

#include "characters/Character.h"
#include "engine/Name.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

RespawnAction::RespawnAction(uint32_t ownerId, const WorldCoords& where)
    : CharacterActionBase(ownerId, CharacterActionType_Respawn), where(where)
{}

RespawnAction::RespawnAction(const RespawnPacket& packet)
    : RespawnAction(packet.ownerId.GetId(), packet.respawnCoords)
{
    ReadPreMoveData(packet);
}

void RespawnAction::Execute()
{
    Character* owner = GetOwner();
    if (owner == nullptr || owner->IsAlive()) {
        Finish();
        return;
    }
    owner->StartRespawn(where);
    if (!PlayAnimation(owner, AnimationSet_Respawn, false))
        Finish();
}

void RespawnAction::AnimationCallback(const Name& event)
{
    static const Name end = Name::Create("End");
    if (GetOwner() != nullptr && event == end)
        Finish();
}

void RespawnAction::Finish()
{
    if (Character* owner = GetOwner())
        owner->StopRespawn();
    CharacterActionBase::Finish();
}

std::unique_ptr<NetPacket> RespawnAction::GetNetPacket() const
{
    auto packet = NewPacket<RespawnPacket>();
    packet->respawnCoords = where;
    return WithPreMoveData(std::move(packet));
}

std::string RespawnAction::ToString() const
{
    return "RespawnAction";
}

} // namespace GAME
