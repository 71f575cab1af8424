#include "ai/ControllerPlayerStateMoveToActorBase.h"

namespace GAME {

void ControllerPlayerStateMoveToActorBase::OnBegin()
{
    MoveTo(GetPointOfInterest(), GetCurrentAlly(), GetCurrentSkillID());
}

void ControllerPlayerStateMoveToActorBase::OnUpdate(int32_t /*elapsedMs*/)
{
    if (!IsTargetValid(GetCurrentAlly()))
        SetState("Idle", ControllerAIStateData());
}

void ControllerPlayerStateMoveToActorBase::EndOfPathReached()
{
    Arrived(GetCurrentAlly());
}

} // namespace GAME
