#include "characters/LongIdleAction.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "engine/Name.h"
#include "game/GameEngine.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

LongIdleAction::LongIdleAction(uint32_t ownerId)
    : CharacterActionBase(ownerId, CharacterActionType_LongIdle)
{}

LongIdleAction::LongIdleAction(const LongIdleActionPacket& packet)
    : LongIdleAction(packet.ownerId.GetId())
{
    ReadPreMoveData(packet);
}

void LongIdleAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr)
        return;
    owner->SetActionState(ActionState_Fidget);
    if (PlayAnimationIfAvailable(owner, AnimationSet_IdleTransition, false))
        phase = Phase_Transition;
    else
        StartLooping(owner);
}

void LongIdleAction::AnimationCallback(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event != end)
        return;
    switch (phase) {
    case Phase_Transition:
    case Phase_Fidget:
        StartLooping(GetOwner());
        break;
    case Phase_Looping:
        transitionTimer.Update();
        if (transitionTimer.GetTotalElapsedTime() < transitionTime)
            break;
        if (PlayAnimationIfAvailable(GetOwner(), AnimationSet_Fidget, false))
            phase = Phase_Fidget;
        else
            ResetTransitionTimer();
        break;
    default:
        Finish();
        break;
    }
}

std::unique_ptr<NetPacket> LongIdleAction::GetNetPacket() const
{
    auto packet = NewPacket<LongIdleActionPacket>();
    packet->location = GetOwnerPosition();
    return WithPreMoveData(std::move(packet));
}

std::string LongIdleAction::ToString() const
{
    return "LongIdleAction";
}

void LongIdleAction::ResetTransitionTimer()
{
    transitionTimer.Reset();
    transitionTime = GameEngine::Get().GetRandomGen().IGenerate(minimumTime, maximumTime);
}

void LongIdleAction::StartLooping(Character* owner)
{
    ResetTransitionTimer();
    if (PlayAnimation(owner, AnimationSet_LongIdle, true)) {
        phase = Phase_Looping;
        return;
    }
    phase = Phase_None;
    Finish();
}

} // namespace GAME
