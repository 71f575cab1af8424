#include "ai/ControllerMonsterStateWanderPause.h"

#include "core/Saturate.h"

#include "engine/Platform.h"

namespace GAME {

void ControllerMonsterStateWanderPause::OnBegin()
{
    Idle();
    pauseTimer = Platform::Rand() % 9997 + 3;
}

void ControllerMonsterStateWanderPause::OnUpdate(int32_t elapsedMs)
{
    if (CheckLeaderAndWanderDistance())
        return;
    pauseTimer = AddSaturating(pauseTimer, -elapsedMs);
    if (pauseTimer < 0)
        SwitchTo("Wander");
}

} // namespace GAME
