#include "characters/ChatAction.h"

#include "characters/Character.h"
#include "characters/Npc.h"
#include "engine/ObjectManager.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

ChatAction::ChatAction(uint32_t ownerId, uint32_t targetId)
    : CharacterActionBase(ownerId, CharacterActionType_Chat), targetId(targetId)
{}

ChatAction::ChatAction(const ChatActionPacket& packet)
    : ChatAction(packet.ownerId.GetId(), packet.targetId)
{
    ReadPreMoveData(packet);
}

void ChatAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr || targetId == 0)
        return;
    FaceTarget(targetId);
    owner->SetActionState(ActionState_Chatting);
    PlayAnimation(owner, AnimationSet_Chat, true);
}

void ChatAction::Finish()
{
    CharacterActionBase::Finish();
    if (Npc* npc = ObjectManager::Instance().GetObject<Npc>(targetId))
        npc->OnConversationEnd(GetParentId());
}

void ChatAction::FaceTarget(uint32_t id)
{
    ObjectManager& objects = ObjectManager::Instance();
    Character* owner = objects.GetObject<Character>(GetParentId());
    const Character* target = objects.GetObject<Character>(id);
    if (owner == nullptr || target == nullptr || owner == target ||
        !owner->ShouldRotateWhenChatting())
        return;
    TurnToward(*owner, target->GetCoords().GetPosition());
}

std::unique_ptr<NetPacket> ChatAction::GetNetPacket() const
{
    auto packet = NewPacket<ChatActionPacket>();
    packet->targetId = targetId;
    return WithPreMoveData(std::move(packet));
}

std::string ChatAction::ToString() const
{
    return "ChatAction";
}

} // namespace GAME
