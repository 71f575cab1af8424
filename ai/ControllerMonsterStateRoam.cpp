#include "ai/ControllerMonsterStateRoam.h"

#include "engine/Platform.h"

namespace GAME {

void ControllerMonsterStateRoam::OnBegin()
{
    if (!StartRoaming())
        SwitchTo("Idle");
}

void ControllerMonsterStateRoam::EndOfPathReached()
{
    if (static_cast<uint32_t>(Platform::Rand() % 100) < kChanceToRoamOn && StartRoaming())
        return;
    SwitchTo("Idle");
}

bool ControllerMonsterStateRoam::StartRoaming()
{
    ControllerMonster* controller = GetController();
    Monster* self = GetCharacter();
    if (self == nullptr)
        return false;
    WorldVec3 point;
    if (!PickRandomPointInVicinity(point, self, self->GetSpawnPoint().GetPosition(),
                                   2.0f * GetOwnRadius(), controller->GetRoamDistance(),
                                   controller->GetMinRoamDistance(), 0.0f))
        return false;
    WalkTo(controller->GetClosestMovePoint(point), 0);
    return true;
}

} // namespace GAME
