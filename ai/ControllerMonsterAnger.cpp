// How a monster thinks.
//
// Only the machine that controls a monster runs this controller; every other machine sees what
// it decided as the actions and skill commands its character sends. Each frame the controller
// first runs its clocks (special-attack cooldowns, the initial waits once an enemy was seen,
// dodge, flee, scare, lifetime, heal), then two rounds on fixed 200 ms periods whatever the
// frame's length: the anger round grows a grudge against each foe in sight (at the inner sight
// rate within the inner view distance, fading with distance beyond it) and lets the anger table
// forgive, once per period that passed, keeping the remainder; the find-enemy round, at most
// twice a frame, turns the most hated foe past the tolerance into `EnemyFound` and the closest
// foe into `ClosestEnemyFound`.
//
// The controller never acts itself. It hands each notification (found, attacked, an ally
// attacked, low health, a projectile coming, a leader's request, a quest command) to the
// executing state, and the state decides: switch to another named state or queue a temporary
// one ("UseSkillOnAlly", "UseSkillOnPoint") in front of it. States ask the controller the
// questions that need the record's personality — `ChooseBestSkill`, `CanFlee`,
// `ShouldCareAboutDistressCall`, `ChooseBestAllyToBuff` — and leave what they decide to the
// character as actions.

#include "ai/ControllerMonster.h"

#include "ai/ControllerAIState.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/Sphere.h"
#include "engine/WorldVec3.h"
#include "world/ProjectileBase.h"

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace GAME {

namespace {

constexpr int32_t kFindEnemyPeriod = 200;  // ms
constexpr int32_t kAngerPeriod = 200;      // ms
constexpr int32_t kDeathRangePeriod = 200; // ms

void CountDown(int32_t& timer, int32_t elapsedMs)
{
    if (timer > 0)
        timer = AddSaturating(timer, -elapsedMs);
}

} // namespace

void ControllerMonster::Update(int32_t elapsedMs)
{
    for (SpecialAttack& special : specialAttacks) {
        CountDown(special.cooldown, elapsedMs);
        if (enemyFound)
            CountDown(special.initialWait, elapsedMs);
    }
    CountDown(dodgeCooldown, elapsedMs);
    CountDown(fleeTimer, elapsedMs);
    CountDown(scareTimer, elapsedMs);

    if (lifetime > 0 && TimeUsedUp(lifetime, elapsedMs))
        KillMe();
    if (healTimer > 0 && TimeUsedUp(healTimer, elapsedMs))
        TryToHealAlly();
    RandomAngerUpdate(elapsedMs);

    const Monster* monster = DynamicCast<Monster>(GetCharacter());
    if (monster != nullptr && monster->GetDeathFromEnemyRange() != 0.0f) {
        deathRangeTimer = AddSaturating(deathRangeTimer, -elapsedMs);
        if (deathRangeTimer < 0) {
            deathRangeTimer = kDeathRangePeriod;
            DieIfEnemyInRange();
        }
    }

    AngerUpdate(elapsedMs);
    FindEnemyUpdate(elapsedMs);
    if (const Character* self = GetCharacter(); self != nullptr && self->GetShowAngerLevels())
        angerManager.ShowAngerLevels();
    ControllerAI::Update(elapsedMs);
}

void ControllerMonster::RandomAngerUpdate(int32_t elapsedMs)
{
    if (randomAngerDone)
        return;
    randomAngerTimer = AddSaturating(randomAngerTimer, -elapsedMs);
    if (randomAngerTimer >= 0)
        return;
    randomAngerTimer = randomAngerEvaluationTime;
    if (static_cast<uint32_t>(Platform::Rand() % 100) >= randomAngerChance ||
        GetCurrentEnemy() != 0)
        return;
    if (const Character* foe = PickRandomEnemyInView()) {
        angerManager.AddAnger(foe->GetObjectId(), AngerManager::GetMaxAnger());
        randomAngerDone = true;
    }
}

Character* ControllerMonster::PickRandomEnemyInView()
{
    Character* self = GetCharacter();
    if (self == nullptr)
        return nullptr;
    const WorldVec3 own = self->GetPathPosition();
    std::vector<Character*> foes;
    GetFoesInSphere(foes, own.GetRegion(), Sphere(own.GetRegionPosition(), GetViewDistance()));
    if (foes.empty())
        return nullptr;
    return foes[static_cast<size_t>(Platform::Rand()) % foes.size()];
}

void ControllerMonster::DieIfEnemyInRange()
{
    Character* self = GetCharacter();
    const Monster* monster = DynamicCast<Monster>(self);
    if (monster == nullptr)
        return;
    const WorldVec3 own = self->GetPathPosition();
    std::vector<Character*> around;
    Character::FindCharactersInSphere(
        around, own.GetRegion(), Sphere(own.GetRegionPosition(), monster->GetDeathFromEnemyRange()),
        *self, Character::Sight::Foes, Character::Life::AlsoDead);
    if (!around.empty())
        KillMe();
}

void ControllerMonster::AngerUpdate(int32_t elapsedMs)
{
    angerTimer -= static_cast<float>(elapsedMs);
    if (!(angerTimer < 0.0f))
        return;
    Character* self = GetCharacter();

    std::vector<std::pair<uint32_t, float>> angers;
    if (self != nullptr) {
        const WorldVec3 own = self->GetPathPosition();
        std::vector<Character*> foes;
        GetFoesInSphere(foes, own.GetRegion(), Sphere(own.GetRegionPosition(), GetViewDistance()));
        for (const Character* foe : foes)
            if (foe->CausesAnger())
                angers.emplace_back(foe->GetObjectId(), ProcessAngerTarget(*foe, kAngerPeriod));
    }

    // A huge frame must not wrap the count of periods.
    const int32_t periods =
        SaturateToInt(std::trunc(1.0 - static_cast<double>(angerTimer) * 0.005));
    angerTimer += static_cast<float>(static_cast<double>(periods) * kAngerPeriod);
    for (const auto& [foeId, anger] : angers)
        angerManager.AddAnger(foeId, static_cast<float>(periods) * anger);
    angerManager.Update(SaturateToInt(std::trunc(static_cast<double>(periods) * 200.0)),
                        forgiveRate, self);
}

float ControllerMonster::ProcessAngerTarget(const Character& foe, int32_t elapsedMs)
{
    if (!InPursuitRange(foe.GetObjectId()))
        return 0.0f;
    Character* self = GetCharacter();
    if (self == nullptr)
        return 0.0f;
    Character& other = const_cast<Character&>(foe);
    const float distance = Distance(self->GetPathPosition(), other.GetPathPosition());
    const float rate = distance < innerViewDistance
                           ? innerSightAngerRate
                           : (1.0f - (distance / GetViewDistance()) * 0.1f) * sightAngerRate;
    return static_cast<float>(elapsedMs) * 0.001f * rate;
}

void ControllerMonster::FindEnemyUpdate(int32_t elapsedMs)
{
    findEnemyTimer = AddSaturating(findEnemyTimer, -elapsedMs);
    bool searched = false;
    WorldVec3 searchedFrom;
    uint32_t closestId = 0;
    float closestDistance = 0.0f;
    for (int round = 0; findEnemyTimer < 0; ++round) {
        // A long frame does not make up for every period it missed.
        if (round == 2) {
            findEnemyTimer = kFindEnemyPeriod;
            return;
        }
        findEnemyTimer += kFindEnemyPeriod;

        ControllerAIState* state = GetExecutingState();
        if (state != nullptr && state->ShouldFindEnemy())
            FindEnemy();

        state = GetExecutingState();
        const bool lookForClosest =
            ShouldAlwaysLookForClosestEnemy() ||
            (enemyTooClose > 0.0f && state != nullptr && state->ShouldFindClosestEnemy() &&
             fleeBehavior == FleeWhenEnemyClose && CanFlee());
        Character* self = GetCharacter();
        if (!lookForClosest || self == nullptr)
            continue;
        const WorldVec3 own = self->GetPathPosition();
        if (!searched || own != searchedFrom) {
            searched = true;
            searchedFrom = own;
            closestId = 0;
            closestDistance = enemyTooClose + 0.1f;
            std::vector<Character*> foes;
            GetFoesInSphere(foes, own.GetRegion(), Sphere(own.GetRegionPosition(), enemyTooClose));
            for (Character* foe : foes) {
                const float distance = Distance(own, foe->GetPathPosition());
                if (distance < closestDistance) {
                    closestId = foe->GetObjectId();
                    closestDistance = distance;
                }
            }
        }
        FindClosestEnemy(ObjectManager::Instance().GetObject<Character>(closestId),
                         closestDistance);
    }
}

void ControllerMonster::FindEnemy()
{
    const Character* target = angerManager.GetNewTarget(angerTolerance);
    if (target == nullptr)
        return;
    enemyFound = true;
    if (ControllerAIState* state = GetExecutingState())
        state->EnemyFound(target->GetObjectId());
}

void ControllerMonster::FindClosestEnemy(Character* foe, float distance)
{
    if (foe == nullptr || ClosestEnemyFoundOverride(foe->GetObjectId(), distance))
        return;
    if (ControllerAIState* state = GetExecutingState())
        state->ClosestEnemyFound(foe->GetObjectId(), distance);
}

void ControllerMonster::UnderAttack(uint32_t attackerId)
{
    if (!InPursuitRange(attackerId))
        return;
    angerManager.AddAnger(attackerId, attackedAnger);
    ControllerAI::UnderAttack(attackerId);
}

void ControllerMonster::AllyAttacked(uint32_t allyId, uint32_t attackerId)
{
    if (!InPursuitRange(attackerId) || !ShouldCareAboutDistressCall(allyId))
        return;
    angerManager.AddAnger(attackerId, allyAttackedAnger);
    ControllerAI::AllyAttacked(allyId, attackerId);
}

void ControllerMonster::TauntMe(float amount, uint32_t taunterId)
{
    if (InPursuitRange(taunterId))
        angerManager.AddAnger(taunterId, amount);
}

void ControllerMonster::ProjectileNotification(uint32_t projectileId)
{
    if (dodgeCooldown <= 0) {
        ControllerAI::ProjectileNotification(projectileId);
        const ProjectileBase* projectile =
            ObjectManager::Instance().GetObject<ProjectileBase>(projectileId);
        if (projectile != nullptr && projectile->GetInfo().ownerId != 0)
            angerManager.AddAnger(projectile->GetInfo().ownerId, projectileAnger);
    }
    dodgeCooldown = dodgeDelay;
}

void ControllerMonster::ScareMe(uint32_t scarerId, float duration)
{
    ControllerAIState* state = GetExecutingState();
    if (state == nullptr || !state->RespondsToFear() ||
        !(static_cast<float>(scareTimer) < duration))
        return;
    scareTimer = SaturateToInt(std::trunc(static_cast<double>(duration)));
    SetState("Scared", ControllerAIStateData(scarerId, 0, 0, WorldVec3()));
}

} // namespace GAME
