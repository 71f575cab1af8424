#include "ai/ControllerMonsterStatePatrol.h"

#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/Entity.h"
#include "engine/UniqueIdMap.h"

#include "engine/Platform.h"

namespace GAME {

void ControllerMonsterStatePatrol::OnBegin()
{
    ControllerMonster* controller = GetController();
    patrolIdleTimer = 0;
    const int32_t nearest = GetClosest(controller->GetPatrolPoints());
    if (nearest < 0) {
        SwitchTo("Return");
        return;
    }
    controller->SetCurrentPatrolPoint(static_cast<uint32_t>(nearest));
    if (!MoveToCurrentPatrolPoint()) {
        SwitchTo("Return");
        return;
    }
    if (controller->GetLeaderBehavior() == LeadOnPatrol)
        CallForFollowers();
}

void ControllerMonsterStatePatrol::OnUpdate(int32_t elapsedMs)
{
    if (patrolIdleTimer <= 0)
        return;
    patrolIdleTimer = AddSaturating(patrolIdleTimer, -elapsedMs);
    if (patrolIdleTimer <= 0) {
        patrolIdleTimer = 0;
        WalkToNextPoint();
    }
}

void ControllerMonsterStatePatrol::EndOfPathReached()
{
    // Already standing on the point: the walk ends as it starts. Walking on from inside it
    // would recurse without end on a round of one point, so the next update walks on.
    if (startingWalk) {
        patrolIdleTimer = 1;
        return;
    }
    const ControllerMonster* controller = GetController();
    if (static_cast<uint32_t>(Platform::Rand() % 100) < controller->GetChanceToIdleOnPatrol()) {
        patrolIdleTimer =
            RandomInt(controller->GetMinPatrolIdleTime(), controller->GetMaxPatrolIdleTime());
        Idle();
        // A time of 0 or less would never run down: walk on at once.
        if (patrolIdleTimer > 0)
            return;
        patrolIdleTimer = 0;
    }
    WalkToNextPoint();
}

void ControllerMonsterStatePatrol::WalkToNextPoint()
{
    ControllerMonster* controller = GetController();
    const size_t count = controller->GetPatrolPoints().size();
    if (count == 0) {
        SwitchTo("Return");
        return;
    }
    controller->SetCurrentPatrolPoint(
        static_cast<uint32_t>((controller->GetCurrentPatrolPoint() + 1) % count));
    if (!MoveToCurrentPatrolPoint())
        SwitchTo("Return");
}

bool ControllerMonsterStatePatrol::MoveToCurrentPatrolPoint()
{
    const ControllerMonster* controller = GetController();
    const std::vector<UniqueId>& points = controller->GetPatrolPoints();
    const uint32_t index = controller->GetCurrentPatrolPoint();
    if (index >= points.size())
        return false;
    const Entity* point = UniqueIdMap::GetEntity(points[index]);
    if (point == nullptr)
        return false;
    startingWalk = true;
    WalkTo(point->GetCoords().GetPosition(), 0);
    startingWalk = false;
    return true;
}

} // namespace GAME
