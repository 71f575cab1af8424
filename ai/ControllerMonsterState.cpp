#include "ai/ControllerMonsterState.h"

#include "ai/ControllerMonster.h"
#include "characters/CharAttributeType.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/MathUtils.h"
#include "core/RandomHelpers.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/Sphere.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"

#include "engine/Platform.h"
#include <vector>

namespace GAME {

namespace {

constexpr float kFullTurn = 6.2831855f;
constexpr int kVicinityTries = 5;

const TeamManager* TeamsOrNull()
{
    return gGameEngine != nullptr ? gGameEngine->GetTeamManager() : nullptr;
}

// Positive infinity without a world: nothing is near nowhere.
float DistanceBetween(const WorldVec3& a, const WorldVec3& b)
{
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    return world != nullptr ? world->GetDistance(a, b) : gPositiveInfinity;
}

// `point`'s height over `reference`, in the reference's region; 0 when they cannot be related.
float HeightDifference(const WorldVec3& point, const WorldVec3& reference)
{
    Vec3 local;
    if (!point.GetPositionInRegion(reference.GetRegionId(), local))
        return 0.0f;
    return local.y - reference.GetRegionPosition().y;
}

// A draw of the shared generator below `chance` percent.
bool RollBelow(uint32_t chance)
{
    return static_cast<uint32_t>(Platform::Rand() % 100) < chance;
}

} // namespace

// ---- overrides ----

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::SkillUsed(uint32_t skillId)
{
    TController* controller = GetController();
    if (controller == nullptr || skillId == 0)
        return;
    for (int index = 0; index < ControllerMonster::kNumSpecialAttacks; ++index) {
        const ControllerMonster::SpecialAttack special = controller->GetSpecialAttack(index);
        if (special.skill == skillId) {
            controller->SetSpecialAttackCooldown(index, special.delay);
            return;
        }
    }
    if (controller->GetHealSkillId() == skillId)
        controller->SetHealTimer(controller->GetHealDelay());
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::EnemyFound(uint32_t enemyId)
{
    if (Answers(kEventDefaults))
        DefaultEnemyFoundResponse(enemyId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::ClosestEnemyFound(uint32_t enemyId,
                                                                        float distance)
{
    if (Answers(kEventDefaults))
        DefaultClosestEnemyFoundResponse(enemyId, distance);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::Attacked(uint32_t attackerId)
{
    if (Answers(kEventDefaults))
        DefaultAttackedResponse(attackerId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::AllyAttacked(uint32_t allyId,
                                                                   uint32_t attackerId)
{
    if (Answers(kEventDefaults))
        DefaultAllyAttackedResponse(allyId, attackerId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::LowHealth()
{
    if (Answers(kEventDefaults))
        DefaultLowHealthResponse();
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::AllyDied(uint32_t allyId)
{
    if (Answers(kEventDefaults))
        DefaultAllyDiedResponse(allyId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::AllyNeedsHelp(uint32_t allyId, uint32_t id)
{
    if (Answers(kEventDefaults))
        DefaultAllyNeedsHelpResponse(allyId, id);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::RequestAttack(uint32_t requesterId,
                                                                    uint32_t targetId)
{
    if (Answers(kEventDefaults))
        DefaultRequestAttackResponse(requesterId, targetId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::RequestMove(uint32_t requesterId,
                                                                  const WorldVec3& point)
{
    if (Answers(kEventDefaults))
        DefaultRequestMoveResponse(requesterId, point);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::ProjectileNotification(uint32_t projectileId)
{
    if (Answers(kEventDefaults))
        DefaultProjectileNotificationResponse(projectileId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::Confused(int32_t value)
{
    if (Answers(kEventDefaults))
        DefaultConfusedResponse(static_cast<uint32_t>(value));
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::QuestCommandMove(uint32_t targetId,
                                                                       const WorldVec3& point)
{
    if (Answers(kQuestDefaults))
        DefaultQuestCommandMoveResponse(targetId, point);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::QuestCommandWalk(uint32_t targetId,
                                                                       const WorldVec3& point)
{
    if (Answers(kQuestDefaults))
        DefaultQuestCommandWalkResponse(targetId, point);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::QuestCommandPlayAnimation(
    AnimationSet_Type type, bool looping)
{
    if (Answers(kQuestDefaults))
        DefaultQuestCommandPlayAnimationResponse(type, looping);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::QuestCommandUseSkill(uint32_t skillId,
                                                                           uint32_t targetId)
{
    if (Answers(kQuestDefaults))
        DefaultQuestCommandUseSkillResponse(skillId, targetId);
}

// ---- default answers ----

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultEnemyFoundResponse(uint32_t enemyId)
{
    TController* controller = GetController();
    if (enemyId == this->GetCurrentEnemy() || !controller->IsEnemyValid(enemyId))
        return;
    PursueEnemy(enemyId);
    if (ShouldBuffSelf()) {
        if (const uint32_t buff = controller->ChooseBestBuffSelfSkill(); buff != 0)
            UseSkillOnAlly(GetMonsterId(), buff);
    }
    const uint32_t buffOther = controller->GetBuffOtherSkillId();
    if (controller->GetBuffAllyBehavior() == WhenEnemyIsSeen && buffOther != 0) {
        const Skill* skill = ObjectManager::Instance().GetObject<Skill>(buffOther);
        if (skill != nullptr && skill->IsSkillEnabled()) {
            const uint32_t ally = controller->ChooseBestAllyToBuff();
            if (ally != 0 && skill->IsValidTarget(ally))
                UseSkillOnAlly(ally, buffOther);
        }
    }
    if (Monster* monster = GetCharacter()) {
        const float draw = static_cast<float>(Platform::Rand() % 100);
        if (!(draw > monster->GetAlertSoundChance()) && controller->ShouldPlayRallyOrAlert())
            monster->PlayNetSound(monster->GetAlertSound());
    }
    if (controller->GetLeaderBehavior() == LeadWhenEnemyIsSeen)
        CallForFollowers();
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultClosestEnemyFoundResponse(
    uint32_t enemyId, float /*distance*/)
{
    TController* controller = GetController();
    if (controller->GetFleeBehavior() == FleeWhenEnemyClose && controller->CanFlee())
        SwitchTo("Flee", enemyId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultAttackedResponse(uint32_t attackerId)
{
    TController* controller = GetController();
    if (attackerId == this->GetCurrentEnemy())
        return;
    if (controller->GetLeaderBehavior() == LeadOnDamage)
        CallForFollowers();
    if (controller->GetBuffSelfBehavior() == WhenEnemyIsSeen) {
        if (const uint32_t buff = controller->ChooseBestBuffSelfSkill(); buff != 0)
            UseSkillOnAlly(GetMonsterId(), buff);
    }
    if (controller->GetFleeBehavior() == FleeOnDamage && controller->CanFlee())
        SwitchTo("Flee", attackerId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultAllyAttackedResponse(
    uint32_t allyId, uint32_t attackerId)
{
    TController* controller = GetController();
    HealAllyWhenAttacked(allyId);
    if (!RollBelow(controller->GetChanceToRespondToDistressCall()) ||
        attackerId == this->GetCurrentEnemy() || !controller->IsEnemyValid(attackerId) ||
        !controller->ShouldCareAboutDistressCall(allyId))
        return;
    PursueEnemy(attackerId, allyId);
    if (ShouldBuffSelf()) {
        if (const uint32_t buff = controller->ChooseBestBuffSelfSkill(); buff != 0)
            UseSkillOnAlly(GetMonsterId(), buff);
    }
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultAllyNeedsHelpResponse(uint32_t enemyId,
                                                                                   uint32_t /*id*/)
{
    TController* controller = GetController();
    if (!RollBelow(controller->GetChanceToRespondToDistressCall()))
        return;
    const uint32_t buffOther = controller->GetBuffOtherSkillId();
    if (controller->GetBuffAllyBehavior() == WhenEnemyIsSeen && buffOther != 0) {
        const Skill* skill = ObjectManager::Instance().GetObject<Skill>(buffOther);
        if (skill != nullptr && skill->IsSkillEnabled()) {
            const uint32_t ally = controller->ChooseBestAllyToBuff();
            if (ally != 0 && skill->IsValidTarget(ally))
                UseSkillOnAlly(ally, buffOther);
        }
    }
    if (controller->GetBuffSelfBehavior() == WhenEnemyIsSeen) {
        if (const uint32_t buff = controller->ChooseBestBuffSelfSkill(); buff != 0)
            UseSkillOnAlly(GetMonsterId(), buff);
    }
    if (controller->IsEnemyValid(enemyId))
        PursueEnemy(enemyId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultLowHealthResponse()
{
    TController* controller = GetController();
    const uint32_t enemy = this->GetCurrentEnemy();
    if (controller->GetFleeBehavior() == FleeOnLowHealth && controller->CanFlee())
        SwitchTo("Flee", enemy);
    else if (controller->GetBerserkSkillId() != 0 && enemy != 0)
        SwitchTo("Pursue", enemy, 0, controller->GetBerserkSkillId());
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultAllyDiedResponse(uint32_t allyId)
{
    JoinLeader(allyId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultConfusedResponse(uint32_t sourceId)
{
    SwitchTo("Confused", sourceId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultPanicResponse(uint32_t sourceId)
{
    SwitchTo("Panic", sourceId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultRequestAttackResponse(
    uint32_t requesterId, uint32_t targetId)
{
    TController* controller = GetController();
    if (requesterId == 0 || requesterId != GetLeaderId() || !controller->IsEnemyValid(targetId))
        return;
    controller->SetMostHatedEnemy(targetId);
    PursueEnemy(targetId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultRequestMoveResponse(
    uint32_t requesterId, const WorldVec3& point)
{
    TController* controller = GetController();
    if (requesterId == 0 || requesterId != GetLeaderId())
        return;
    controller->ClearAnger();
    controller->SetQuestPoint(point);
    SwitchTo("Move", 0, requesterId);
}

template <typename TController, typename TCharacter>
bool ControllerMonsterState<TController, TCharacter>::DefaultRequestConversationResponse(
    uint32_t partnerId)
{
    Character* partner = FindCharacter(partnerId);
    Monster* self = GetCharacter();
    const TeamManager* teams = TeamsOrNull();
    if (partner == nullptr || self == nullptr ||
        (teams != nullptr && teams->IsFoe(*self, *partner)))
        return false;
    SwitchTo("Roam", 0, partnerId);
    return true;
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultQuestCommandMoveResponse(
    uint32_t /*targetId*/, const WorldVec3& point)
{
    Monster* self = GetCharacter();
    if (self == nullptr)
        return;
    if (!self->CanMoveTo(point, kReachTolerance)) {
        gEngine->Log(Engine::LogData, "Quest cannot move %s to point",
                     self->GetObjectName().c_str());
        return;
    }
    GetController()->SetQuestPoint(point);
    SwitchTo("QuestMove");
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultQuestCommandWalkResponse(
    uint32_t /*targetId*/, const WorldVec3& point)
{
    Monster* self = GetCharacter();
    if (self == nullptr || !self->CanMoveTo(point, kReachTolerance))
        return;
    GetController()->SetQuestPoint(point);
    SwitchTo("QuestWalk");
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultQuestCommandPlayAnimationResponse(
    AnimationSet_Type type, bool looping)
{
    GetController()->SetQuestAnimation(type, looping);
    SwitchTo("QuestPlayAnimation");
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultQuestCommandUseSkillResponse(
    uint32_t skillId, uint32_t targetId)
{
    SwitchTo("QuestUseSkill", targetId, targetId, skillId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::DefaultProjectileNotificationResponse(
    uint32_t projectileId)
{
    TController* controller = GetController();
    if (!(static_cast<float>(Platform::Rand() % 100) < controller->GetDodgeChance()))
        return;
    const Entity* projectile = ObjectManager::Instance().GetObject<Entity>(projectileId);
    Monster* self = GetCharacter();
    if (projectile == nullptr || self == nullptr)
        return;
    const WorldVec3 own = self->GetPathPosition();
    const float distance = DistanceBetween(projectile->GetCoords().GetPosition(), own);
    if (!(distance >= GetOwnRadius() + controller->GetMinDodgeDistance()))
        return;
    const float dodge = controller->GetDodgeDistance();
    WorldVec3 point;
    if (PickRandomPointInVicinity(point, self, own, dodge, dodge, dodge - 0.1f,
                                  controller->GetMaxYViewDistance()))
        SwitchTo("DodgeAttack", this->GetCurrentEnemy(), this->GetCurrentAlly(), 0, point);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::HealAllyWhenAttacked(uint32_t allyId)
{
    TController* controller = GetController();
    const uint32_t heal = controller->GetHealSkillId();
    if (heal == 0 || !controller->ShouldHealAlly(allyId))
        return;
    // An ally struck dead is past mending.
    const Character* ally = FindCharacter(allyId);
    if (ally == nullptr || !ally->IsAlive())
        return;
    const float maximum = ally->GetTotalCharAttribute(CharAttribute_Life);
    // A character without life has no fraction to heal.
    if (!(maximum > 0.0f))
        return;
    const float fraction = ally->GetCurrentLife() / maximum;
    const uint32_t threshold = allyId == GetLeaderId() ? controller->GetHealLeaderHealthPercentage()
                                                       : controller->GetHealAllyHealthPercentage();
    if (fraction < static_cast<float>(threshold) * 0.01f)
        UseSkillOnAlly(allyId, heal);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::CallForFollowers()
{
    TController* controller = GetController();
    Monster* self = GetCharacter();
    if (self == nullptr)
        return;
    const WorldVec3 own = self->GetPathPosition();
    std::vector<Character*> friends;
    controller->GetFriendsInSphere(
        friends, own.GetRegion(), Sphere(own.GetRegionPosition(), controller->GetLeaderDistance()));
    for (Character* follower : friends) {
        if (controller->GetFollowersJoined() >= controller->GetMaxFollowers())
            break;
        follower->JoinMe(self->GetObjectId(), -1, false);
        controller->SetFollowersJoined(controller->GetFollowersJoined() + 1);
    }
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::JoinLeader(uint32_t leaderId)
{
    Monster* self = GetCharacter();
    if (self != nullptr && self->GetLeader() != leaderId)
        self->JoinMe(leaderId, -1, false);
}

template <typename TController, typename TCharacter>
bool ControllerMonsterState<TController, TCharacter>::ShouldBuffSelf()
{
    return GetController()->GetBuffSelfBehavior() != NeverUseSkill;
}

// ---- switches ----

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::PursueEnemy(uint32_t enemyId, uint32_t allyId)
{
    SwitchTo("Pursue", enemyId, allyId, GetController()->ChooseBestSkill(enemyId, false));
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::UseSkillOnAlly(uint32_t allyId,
                                                                     uint32_t skillId)
{
    this->AddTemporaryState("UseSkillOnAlly",
                            ControllerAIStateData(0, allyId, skillId, WorldVec3()));
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::SwitchTo(const std::string& name,
                                                               uint32_t enemyId, uint32_t allyId,
                                                               uint32_t skillId,
                                                               const WorldVec3& point)
{
    this->SetState(name, ControllerAIStateData(enemyId, allyId, skillId, point));
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::SwitchDroppingTemporaries(
    const std::string& name)
{
    this->ClearTemporaryStates();
    this->SetState(name, ControllerAIStateData());
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::Immobilize()
{
    GetController()->Immobilize();
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::TakeTrap()
{
    GetController()->TakeTrap();
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::RemoveTrap()
{
    GetController()->RemoveTrap();
}

// ---- queries ----

template <typename TController, typename TCharacter>
uint32_t ControllerMonsterState<TController, TCharacter>::GetMonsterId()
{
    const TCharacter* self = GetCharacter();
    return self != nullptr ? self->GetObjectId() : 0;
}

template <typename TController, typename TCharacter>
uint32_t ControllerMonsterState<TController, TCharacter>::GetLeaderId()
{
    const TCharacter* self = GetCharacter();
    return self != nullptr ? self->GetLeader() : 0;
}

template <typename TController, typename TCharacter>
WorldVec3 ControllerMonsterState<TController, TCharacter>::GetOwnPosition()
{
    TCharacter* self = GetCharacter();
    return self != nullptr ? self->GetPathPosition() : WorldVec3();
}

template <typename TController, typename TCharacter>
float ControllerMonsterState<TController, TCharacter>::GetOwnRadius()
{
    const TCharacter* self = GetCharacter();
    return self != nullptr ? self->GetExtents() : 0.0f;
}

template <typename TController, typename TCharacter>
bool ControllerMonsterState<TController, TCharacter>::IsAt(const WorldVec3& point)
{
    return Distance(GetOwnPosition(), point) < kAtPointDistance;
}

template <typename TController, typename TCharacter>
float ControllerMonsterState<TController, TCharacter>::Distance(const WorldVec3& a,
                                                                const WorldVec3& b)
{
    return DistanceBetween(a, b);
}

template <typename TController, typename TCharacter>
Vec3 ControllerMonsterState<TController, TCharacter>::Offset(const WorldVec3& a, const WorldVec3& b)
{
    Vec3 local;
    if (!b.GetPositionInRegion(a.GetRegionId(), local))
        return Vec3();
    return local - a.GetRegionPosition();
}

template <typename TController, typename TCharacter>
Character* ControllerMonsterState<TController, TCharacter>::FindCharacter(uint32_t id)
{
    return id != 0 ? ObjectManager::Instance().GetObject<Character>(id) : nullptr;
}

template <typename TController, typename TCharacter>
bool ControllerMonsterState<TController, TCharacter>::IsClearPath(uint32_t targetId)
{
    Entity* blocker = nullptr;
    return this->IsPathClear(targetId, blocker);
}

template <typename TController, typename TCharacter>
bool ControllerMonsterState<TController, TCharacter>::IsCloseEnough(uint32_t enemyId,
                                                                    uint32_t skillId)
{
    // The executing state answers: a temporary state may be running instead of this one.
    ControllerAIState* executing = GetController()->GetExecutingState();
    return (executing != nullptr ? executing : this)->CloseEnoughToUseSkill(enemyId, skillId);
}

template <typename TController, typename TCharacter>
bool ControllerMonsterState<TController, TCharacter>::CanAttackNow(uint32_t enemyId,
                                                                   uint32_t skillId)
{
    return IsCloseEnough(enemyId, skillId) && IsClearPath(enemyId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::AttackElsePursue(uint32_t enemyId,
                                                                       uint32_t skillId)
{
    SwitchTo(CanAttackNow(enemyId, skillId) ? "Attack" : "Pursue", enemyId, 0, skillId);
}

template <typename TController, typename TCharacter>
void ControllerMonsterState<TController, TCharacter>::AttackElseReturn()
{
    const uint32_t enemy = this->GetCurrentEnemy();
    if (CanAttackNow(enemy, this->GetCurrentSkillID()))
        this->SetState("Attack", GetController()->GetCurrentStateData());
    else
        SwitchTo("Return");
}

template <typename TController, typename TCharacter>
bool ControllerMonsterState<TController, TCharacter>::CanMove()
{
    return GetController()->CanMove();
}

template <typename TController, typename TCharacter>
bool ControllerMonsterState<TController, TCharacter>::PickRandomPointInVicinity(
    WorldVec3& out, Character* character, const WorldVec3& centre, float minRadius, float maxRadius,
    float minDistance, float maxVertical)
{
    if (character != nullptr) {
        const WorldVec3 own = character->GetPathPosition();
        for (int attempt = 0; attempt < kVicinityTries; ++attempt) {
            const float radius = RandomFloat(minRadius, maxRadius);
            const float angle = RandomFloat(0.0f, kFullTurn);
            WorldVec3 point = centre;
            if (!point.TranslateToFloor(Vec3(radius * Sin(angle), radius, radius * Cos(angle))))
                continue;
            const Region* region = point.GetRegion();
            if (region == nullptr || !region->IsLevelLoaded())
                continue;
            if (maxVertical != 0.0f && !(Abs(HeightDifference(point, own)) < maxVertical))
                continue;
            if (!(DistanceBetween(point, own) > minDistance))
                continue;
            if (!character->CanMoveTo(point, kReachTolerance))
                continue;
            out = point;
            return true;
        }
    }
    ControllerMonster* controller =
        character != nullptr
            ? ObjectManager::Instance().GetObject<ControllerMonster>(character->GetControllerId())
            : nullptr;
    if (controller == nullptr || controller->FirstVicinityFailure())
        gEngine->LogCounted(Engine::LogRuntime, "Monster failed to PickRandomPointInVicinity");
    return false;
}

template class ControllerMonsterState<ControllerMonster, Monster>;

} // namespace GAME
