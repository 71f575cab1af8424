#include "characters/PlayAnimationAction.h"

#include "characters/Character.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

namespace {

// The state without a name: the owner plays what it was told, whatever that is.
constexpr Character_ActionState kPlayingGivenAnimation = static_cast<Character_ActionState>(2);

} // namespace

PlayAnimationAction::PlayAnimationAction(uint32_t ownerId, AnimationSet_Type animationType,
                                         const Name& name, float speed, bool loop,
                                         uint32_t lastValue)
    : CharacterActionBase(ownerId, CharacterActionType_PlayAnimation), animationType(animationType),
      name(name), speed(speed), loop(loop), lastValue(lastValue)
{}

PlayAnimationAction::PlayAnimationAction(const PlayAnimationActionPacket& packet)
    : PlayAnimationAction(packet.ownerId.GetId(), packet.animationType, packet.animationName,
                          packet.speedModifier, packet.loop, packet.iteration)
{
    ReadPreMoveData(packet);
}

void PlayAnimationAction::Execute()
{
    Character* owner = GetOwner();
    if (owner == nullptr) {
        Finish();
        return;
    }
    AnimationSet* set = owner->GetAnimationSet();
    if (set == nullptr || !set->PlayAnimation(*owner, animationType, name, speed, loop,
                                              static_cast<int32_t>(lastValue)))
        Finish();
    owner->SetActionState(kPlayingGivenAnimation);
}

std::unique_ptr<NetPacket> PlayAnimationAction::GetNetPacket() const
{
    auto packet = NewPacket<PlayAnimationActionPacket>();
    packet->animationType = animationType;
    packet->speedModifier = speed;
    packet->loop = loop;
    packet->iteration = lastValue;
    return WithPreMoveData(std::move(packet));
}

std::string PlayAnimationAction::ToString() const
{
    return "PlayAnimationAction";
}

} // namespace GAME
