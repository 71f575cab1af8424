#include "ai/ControllerMonsterStateWaitToAttack.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/Name.h"

#include "engine/Platform.h"

namespace GAME {

void ControllerMonsterStateWaitToAttack::OnBegin()
{
    roamCentre = WorldVec3();
    roamRadius = 0.0f;
    emoteTimer = 0;
    waiting = false;
    checkTimer = kCheckInterval;
    arrivedEarly = false;
    if (!EmoteOrRoam())
        SwitchTo("Idle");
}

void ControllerMonsterStateWaitToAttack::OnUpdate(int32_t elapsedMs)
{
    ControllerMonster* controller = GetController();
    checkTimer = AddSaturating(checkTimer, -elapsedMs);
    if (checkTimer < 0) {
        const uint32_t enemy = GetCurrentEnemy();
        Character* target = FindCharacter(enemy);
        Monster* self = GetCharacter();
        if (!controller->IsEnemyValid(enemy) || target == nullptr || self == nullptr) {
            SwitchTo("Return");
            return;
        }
        const uint32_t best = controller->ChooseBestSkill(enemy, false);
        if (self->GetMoveToPoint(enemy, best, target->GetPathPosition()).HasRegion()) {
            SwitchTo("Pursue", enemy, 0, best);
            return;
        }
        checkTimer = kCheckInterval;
    }
    if (arrivedEarly) {
        arrivedEarly = false;
        EndOfPathReached();
        return;
    }
    if (waiting && emoteTimer > 0) {
        emoteTimer = AddSaturating(emoteTimer, -elapsedMs);
        if (emoteTimer <= 0 && !StartRoaming())
            SwitchTo("Idle");
    }
}

void ControllerMonsterStateWaitToAttack::EndOfPathReached()
{
    // A walk that ends as it starts (nowhere to go, no walking animation) would stroll again
    // from inside itself without end: the arrival is taken on the next update.
    if (startingWalk) {
        arrivedEarly = true;
        return;
    }
    if (!EmoteOrRoam())
        SwitchTo("Idle");
}

void ControllerMonsterStateWaitToAttack::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end && !StartRoaming())
        SwitchTo("Idle");
}

bool ControllerMonsterStateWaitToAttack::EmoteOrRoam()
{
    const ControllerMonster* controller = GetController();
    if (!(static_cast<uint32_t>(Platform::Rand() % 100) < controller->GetEmoteWhenWaitingChance()))
        return StartRoaming();
    Character* enemy = FindCharacter(GetCurrentEnemy());
    const Monster* self = GetCharacter();
    if (enemy != nullptr && self != nullptr && FacesEnemy(*enemy) &&
        self->CanPlayAnimation(AnimationSet_Fidget) && Platform::Rand() % 2 == 0) {
        PlayAnimation(AnimationSet_Fidget, Name::Create("Fidget"), 1.0f, false, 0);
    } else {
        Idle();
        emoteTimer = RandomInt(controller->GetMinEmoteTime(), controller->GetMaxEmoteTime());
    }
    waiting = true;
    return true;
}

bool ControllerMonsterStateWaitToAttack::StartRoaming()
{
    waiting = false;
    Character* enemy = FindCharacter(GetCurrentEnemy());
    Monster* self = GetCharacter();
    if (enemy == nullptr || self == nullptr)
        return false;
    if (!roamCentre.HasRegion()) {
        const WorldVec3 own = self->GetPathPosition();
        const WorldVec3 enemyPosition = enemy->GetPathPosition();
        const float distance = Distance(own, enemyPosition);
        if (distance >= kNearDistance) {
            roamCentre = own;
            roamRadius = distance * 0.5f;
        } else {
            // As far beyond the enemy as the monster stands before it.
            roamCentre = enemyPosition;
            roamCentre.Translate(Offset(own, enemyPosition));
            roamRadius = kNearDistance * 0.5f;
        }
    }
    const float maxVertical = GetController()->GetMaxYViewDistance();
    for (int attempt = 0; attempt < kRoamTries; ++attempt) {
        WorldVec3 point;
        if (PickRandomPointInVicinity(point, self, roamCentre, roamRadius, roamRadius, 0.0f,
                                      maxVertical)) {
            startingWalk = true;
            WalkTo(point, 0);
            startingWalk = false;
            return true;
        }
    }
    return false;
}

bool ControllerMonsterStateWaitToAttack::FacesEnemy(Character& enemy)
{
    Monster* self = GetCharacter();
    const Vec3 forward = self->GetCoords().GetRegionCoords().forward;
    const Vec3 toEnemy = Offset(self->GetPathPosition(), enemy.GetPathPosition());
    const Vec3 flatForward = Vec3(forward.x, 0.0f, forward.z).Unit();
    const Vec3 flatToEnemy = Vec3(toEnemy.x, 0.0f, toEnemy.z).Unit();
    return Dot(flatForward, flatToEnemy) >= kFacingCosine;
}

} // namespace GAME
