#include "ai/ControllerMonsterStateScared.h"

#include "ai/ControllerMonsterStatePanic.h"
#include "core/RandomHelpers.h"
#include "engine/Engine.h"

namespace GAME {

namespace {

constexpr int kRunToTries = 5;

} // namespace

void ControllerMonsterStateScared::OnBegin()
{
    hideTime = 0;
    WorldVec3 point;
    if (!PickRunToPoint(point)) {
        Hide();
        return;
    }
    if (Monster* self = GetCharacter())
        self->PlayNetSound(self->GetFleeSound());
    StartRun(point);
}

void ControllerMonsterStateScared::OnUpdate(int32_t elapsedMs)
{
    if (!GetController()->StillScared()) {
        SwitchTo("Return");
        return;
    }
    if (hideTime > 0)
        hideTime -= elapsedMs;
    if (hideTime >= 1)
        return;
    runTime -= elapsedMs;
    if (runTime < 0)
        RunOrHide();
}

void ControllerMonsterStateScared::EndOfPathReached()
{
    // A run that ends as it starts (the monster cannot move) would run again from inside itself
    // without end; the run timer of the update tries again.
    if (!startingRun)
        RunOrHide();
}

void ControllerMonsterStateScared::RunOrHide()
{
    WorldVec3 point;
    if (PickRunToPoint(point))
        StartRun(point);
    else
        Hide();
}

void ControllerMonsterStateScared::StartRun(const WorldVec3& point)
{
    startingRun = true;
    MoveTo(point, 0, 0);
    startingRun = false;
}

bool ControllerMonsterStateScared::PickRunToPoint(WorldVec3& point)
{
    Monster* self = GetCharacter();
    if (self == nullptr)
        return false;
    const uint32_t enemyId = GetCurrentEnemy();
    Character* enemy = FindCharacter(enemyId);
    if (enemy == nullptr || !GetController()->IsEnemyValid(enemyId)) {
        gEngine->Log(Engine::LogRuntime, "%s is scared of an invalid enemy.",
                     self->GetObjectName().c_str());
        return false;
    }
    const WorldVec3 own = self->GetPathPosition();
    const Vec3 away =
        ControllerMonsterStatePanic::DirectionAwayFrom(enemy->GetPathPosition(), own) *
        GetController()->GetFleeDistance();
    for (int attempt = 0; attempt < kRunToTries; ++attempt) {
        Vec3 offset = away;
        offset.z += RandomFloat(-1.0f, 1.0f);
        offset.x += RandomFloat(-1.0f, 1.0f);
        point = own;
        if (point.TranslateToFloor(offset) && self->CanMoveTo(point, 0.5f)) {
            runTime = static_cast<int32_t>(RandomFloat(1000.0f, 2000.0f));
            return true;
        }
    }
    return false;
}

void ControllerMonsterStateScared::Hide()
{
    Idle();
    hideTime = static_cast<int32_t>(RandomFloat(500.0f, 1000.0f));
    runTime = 0;
}

} // namespace GAME
