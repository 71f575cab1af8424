#include "ai/ControllerMonsterStateParalyze.h"

#include "ai/ControllerMonsterStatePanic.h"
#include "characters/AnimationSet.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/World.h"

namespace GAME {

int32_t ControllerMonsterStateParalyze::GetParalyzeTime(float distance)
{
    // An enemy at no known distance (infinite, not a number) saturates rather than overflows.
    const int32_t band = SaturateToInt(distance) % 25;
    return SaturateToInt((1.0 - band * 0.04) * 4000.0);
}

void ControllerMonsterStateParalyze::OnBegin()
{
    PlayAnimation(AnimationSet_Stun, Name::Create("Stun"), 1.0f, true, 0);
    Character* enemy = FindCharacter(GetCurrentEnemy());
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (enemy == nullptr || world == nullptr) {
        SwitchTo("Idle");
        return;
    }
    paralyzeTime = GetParalyzeTime(world->GetDistance(GetOwnPosition(), enemy->GetPathPosition()));
}

void ControllerMonsterStateParalyze::OnUpdate(int32_t elapsedMs)
{
    paralyzeTime -= elapsedMs;
    if (paralyzeTime <= 0) {
        SwitchTo("Panic", GetCurrentEnemy());
        return;
    }
    Monster* self = GetCharacter();
    Character* enemy = FindCharacter(GetCurrentEnemy());
    if (self == nullptr || enemy == nullptr)
        return;
    const WorldVec3 target = enemy->GetPathPosition();
    // Towards the enemy: the way away from it, reversed.
    self->RotateTowards(
        elapsedMs, -ControllerMonsterStatePanic::DirectionAwayFrom(target, self->GetPathPosition()),
        target);
}

} // namespace GAME
