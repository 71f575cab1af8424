#include "ai/ControllerMonsterStatePanic.h"

#include "characters/TeamManager.h"
#include "game/GameEngine.h"

namespace GAME {

Vec3 ControllerMonsterStatePanic::DirectionAwayFrom(const WorldVec3& from, const WorldVec3& self)
{
    Vec3 source;
    if (!from.GetPositionInRegion(self.GetRegionId(), source))
        return Vec3();
    const Vec3 away = self.GetRegionPosition() - source;
    // Two characters on one spot have no way apart; a zero direction, never not-a-number.
    const float length = away.Length();
    return length > 0.0f ? away / length : Vec3();
}

bool ControllerMonsterStatePanic::RunAway()
{
    Monster* self = GetCharacter();
    Character* enemy = FindCharacter(GetCurrentEnemy());
    const TeamManager* teams = gGameEngine != nullptr ? gGameEngine->GetTeamManager() : nullptr;
    if (self == nullptr || enemy == nullptr || !enemy->IsAlive() || teams == nullptr ||
        !teams->IsFoe(*self, *enemy))
        return false;
    WorldVec3 point = self->GetPathPosition();
    const Vec3 offset = DirectionAwayFrom(enemy->GetPathPosition(), point) * kRunDistance;
    if (!point.TranslateToFloor(offset) || !self->CanMoveTo(point, 0.5f))
        return false;
    startingRun = true;
    MoveTo(point, 0, 0);
    startingRun = false;
    return true;
}

void ControllerMonsterStatePanic::OnBegin()
{
    runPending = false;
    if (!RunAway())
        SwitchTo("Idle");
}

void ControllerMonsterStatePanic::OnUpdate(int32_t /*elapsedMs*/)
{
    if (runPending) {
        runPending = false;
        RunAway();
    }
}

void ControllerMonsterStatePanic::EndOfPathReached()
{
    // A run that ends as it starts (the monster cannot move) would run again from inside itself
    // without end; the next update runs again instead.
    if (startingRun) {
        runPending = true;
        return;
    }
    RunAway();
}

} // namespace GAME
