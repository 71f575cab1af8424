#include "ai/ControllerMonsterStateWander.h"

#include "characters/Character.h"

namespace GAME {

void ControllerMonsterStateWander::OnBegin()
{
    ControllerMonster* controller = GetController();
    Monster* self = GetCharacter();
    Character* leader = FindCharacter(GetLeaderId());
    WorldVec3 point;
    if (self == nullptr || leader == nullptr ||
        !PickRandomPointInVicinity(
            point, self, leader->GetPathPosition(), GetOwnRadius() + leader->GetExtents(),
            controller->GetWanderDistance(), controller->GetMinWanderDistance(), 0.0f)) {
        SwitchTo("Idle");
        return;
    }
    WalkTo(controller->GetClosestMovePoint(point), 0);
}

void ControllerMonsterStateWander::OnUpdate(int32_t /*elapsedMs*/)
{
    CheckLeaderAndWanderDistance();
}

void ControllerMonsterStateWander::EndOfPathReached()
{
    SetState("WanderPause", GetController()->GetCurrentStateData());
}

bool ControllerMonsterStateWander::CheckLeaderAndWanderDistance()
{
    const uint32_t leaderId = GetLeaderId();
    Character* leader = FindCharacter(leaderId);
    if (leader == nullptr) {
        SwitchTo("Idle");
        return true;
    }
    if (Distance(GetOwnPosition(), leader->GetPathPosition()) >
        GetController()->GetWanderDistance()) {
        SwitchTo("Return", 0, leaderId);
        return true;
    }
    return false;
}

} // namespace GAME
