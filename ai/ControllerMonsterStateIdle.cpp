#include "ai/ControllerMonsterStateIdle.h"

#include "core/RandomHelpers.h"
#include "core/Saturate.h"

namespace GAME {

void ControllerMonsterStateIdle::OnBegin()
{
    const uint32_t leader = GetLeaderId();
    if (leader != 0 && IsAlive(leader)) {
        SwitchTo("DefendLeader", 0, leader);
        return;
    }
    Idle();
    const ControllerMonster* controller = GetController();
    roamTimer = SaturateToInt(RandomFloat(static_cast<float>(controller->GetMinTimeBeforeRoam()),
                                          static_cast<float>(controller->GetMaxTimeBeforeRoam())));
}

void ControllerMonsterStateIdle::OnUpdate(int32_t elapsedMs)
{
    ControllerMonster* controller = GetController();
    if (!CanMove() || controller->GetRoamBehavior() != Roam)
        return;
    roamTimer = AddSaturating(roamTimer, -elapsedMs);
    if (roamTimer >= 0)
        return;
    if (GetLeaderId() != 0)
        SwitchTo("Wander");
    else if (controller->GetPatrolPoints().empty())
        SwitchTo("Roam");
    else
        SwitchTo("Patrol");
}

} // namespace GAME
