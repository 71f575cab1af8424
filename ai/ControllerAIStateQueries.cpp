#include "ai/ControllerAI.h"
#include "ai/ControllerAIState.h"
#include "characters/Character.h"
#include "characters/Team.h"
#include "characters/TeamManager.h"
#include "core/MathUtils.h"
#include "core/StringHelpers.h"
#include "core/UniqueId.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Intersection.h"
#include "engine/ObjectManager.h"
#include "engine/Sphere.h"
#include "engine/UniqueIdMap.h"
#include "engine/World.h"
#include "engine/WorldRay.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "world/DynamicBarrier.h"

#include <string>
#include <vector>

namespace GAME {

namespace {

// The surface kind the line-of-sight test casts against: solid level geometry.
constexpr int kSightSurface = 7;

World* GetWorld()
{
    return gEngine != nullptr ? gEngine->GetWorld() : nullptr;
}

const TeamManager* GetTeams()
{
    return gGameEngine != nullptr ? gGameEngine->GetTeamManager() : nullptr;
}

// Positive infinity without a world, so nothing is ever nearer than nowhere.
float DistanceSquared(const WorldVec3& a, const WorldVec3& b)
{
    const World* world = GetWorld();
    return world != nullptr ? world->GetDistanceSquared(a, b) : gPositiveInfinity;
}

Character* CharacterById(uint32_t id)
{
    return ObjectManager::Instance().GetObject<Character>(id);
}

} // namespace

// Target pickers.

Character* ControllerAI::FindClosest(const std::vector<Character*>& candidates) const
{
    Character* self = GetAI();
    if (self == nullptr)
        return nullptr;
    const WorldVec3 own = self->GetPathPosition();
    Character* closest = nullptr;
    float best = gPositiveInfinity;
    for (Character* candidate : candidates) {
        if (candidate == nullptr)
            continue;
        const float distance = DistanceSquared(own, candidate->GetPathPosition());
        if (closest == nullptr || distance < best) {
            closest = candidate;
            best = distance;
        }
    }
    return closest;
}

Character* ControllerAI::FindStrongest(const std::vector<Character*>& candidates)
{
    Character* strongest = nullptr;
    for (Character* candidate : candidates) {
        if (candidate != nullptr &&
            (strongest == nullptr || candidate->GetCurrentLife() > strongest->GetCurrentLife()))
            strongest = candidate;
    }
    return strongest;
}

Character* ControllerAI::FindWeakest(const std::vector<Character*>& candidates)
{
    Character* weakest = nullptr;
    float lowest = 1.0f;
    for (Character* candidate : candidates) {
        if (candidate == nullptr)
            continue;
        const float maximum = candidate->GetTotalCharAttribute(CharAttribute_Life);
        // Without a maximum the share means nothing (and would divide by zero).
        if (!(maximum > 0.0f))
            continue;
        const float fraction = candidate->GetCurrentLife() / maximum;
        if (fraction < lowest) {
            weakest = candidate;
            lowest = fraction;
        }
    }
    return weakest;
}

Character* ControllerAI::FindMostVulnerable(const std::vector<Character*>& /*candidates*/)
{
    return nullptr;
}

// Queries of the states.

bool ControllerAIState::SkillInRange(uint32_t enemyId, uint32_t skillId)
{
    Character* self = DynamicCast<Character>(LookUpDrivenCharacter());
    const char* name = self != nullptr ? self->GetObjectName().c_str() : "";
    const Skill* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
    if (skill == nullptr) {
        gEngine->Log(Engine::LogRuntime,
                     "ControllerAIState::CloseEnoughToUseSkill() - invalid skill used by %s.  "
                     "This is most likely a database record issue.",
                     name);
        return false;
    }
    Character* enemy = CharacterById(enemyId);
    if (enemy == nullptr) {
        gEngine->Log(Engine::LogRuntime,
                     "ControllerAIState::CloseEnoughToUseSkill() - invalid enemy being attacked "
                     "by %s.",
                     name);
        return false;
    }
    if (self == nullptr)
        return false;
    const WorldVec3 own = self->GetPathPosition();
    if (skill->NeedsAttackSlot() && !enemy->IsMoving()) {
        const WorldVec3 standPoint =
            self->GetMoveToPoint(enemyId, skillId, enemy->GetPathPosition());
        if (!standPoint.HasRegion())
            return false;
        return Sqrt(DistanceSquared(own, standPoint)) < GetSkillUseTolerance(enemyId);
    }
    const float reach = Character::GetTargetDistance(self->GetObjectId(), enemyId, skillId);
    return Sqrt(DistanceSquared(own, enemy->GetPathPosition())) <
           reach + GetSkillUseTolerance(enemyId);
}

bool ControllerAIState::IsAlive(uint32_t id)
{
    const Character* character = CharacterById(id);
    return character != nullptr && character->IsAlive();
}

Character* ControllerAIState::ValidateObjectId(uint32_t id, const std::string& who)
{
    Character* character = CharacterById(id);
    if (character == nullptr)
        gEngine->Log(Engine::LogRuntime, "%s Error - invalid Object ID.", who.c_str());
    return character;
}

namespace {

// The foes or friends in view of `self` that `also` (when given) accepts, itself left out, the
// dead too, after the living.
void CollectInSight(Character* self, float viewDistance, Character::Sight sight,
                    std::vector<Character*>& out, const FilterFunction<Entity>* also = nullptr)
{
    out.clear();
    if (self == nullptr)
        return;
    const WorldVec3 own = self->GetPathPosition();
    Character::FindCharactersInSphere(out, own.GetRegion(),
                                      Sphere(own.GetRegionPosition(), viewDistance), *self, sight,
                                      Character::Life::AlsoDead, also);
}

} // namespace

void ControllerAIState::FindEnemiesInSight(std::vector<Character*>& out)
{
    out.clear();
    if (GetTeams() != nullptr && GetAIController() != nullptr)
        CollectInSight(DynamicCast<Character>(LookUpDrivenCharacter()),
                       GetAIController()->GetViewDistance(), Character::Sight::Foes, out);
}

void ControllerAIState::FindAlliesInSight(std::vector<Character*>& out)
{
    out.clear();
    if (GetTeams() != nullptr && GetAIController() != nullptr)
        CollectInSight(DynamicCast<Character>(LookUpDrivenCharacter()),
                       GetAIController()->GetViewDistance(), Character::Sight::Friends, out);
}

void ControllerAIState::FindAlliesOfType(std::vector<Character*>& out,
                                         const std::string& recordName)
{
    if (GetAIController() == nullptr) {
        out.clear();
        return;
    }
    // Of the record before the bound, so that a crowd of other kinds hides none of it.
    struct OfRecord : FilterFunction<Entity> {
        std::string wanted;
        mutable std::string theirs;
        bool operator()(const Entity* entity) const override
        {
            theirs = entity->GetObjectName();
            ConvertToBackslashes(theirs);
            return theirs == wanted;
        }
    };
    OfRecord ofRecord;
    ofRecord.wanted = recordName;
    ConvertToBackslashes(ofRecord.wanted);
    CollectInSight(DynamicCast<Character>(LookUpDrivenCharacter()),
                   GetAIController()->GetViewDistance(), Character::Sight::Everyone, out,
                   &ofRecord);
}

int32_t ControllerAIState::GetClosest(const std::vector<UniqueId>& ids)
{
    const Object* self = LookUpDrivenCharacter();
    const auto* entity = DynamicCast<Entity>(self);
    if (entity == nullptr)
        return -1;
    const WorldVec3 own = entity->GetCoords().GetPosition();
    int32_t closest = -1;
    float best = gPositiveInfinity;
    for (size_t index = 0; index < ids.size(); ++index) {
        const Entity* candidate = UniqueIdMap::GetEntity(ids[index]);
        if (candidate == nullptr)
            continue;
        const WorldVec3 position = candidate->GetCoords().GetPosition();
        if (!position.HasRegion())
            continue;
        const float distance = DistanceSquared(own, position);
        if (closest < 0 || distance < best) {
            closest = static_cast<int32_t>(index);
            best = distance;
        }
    }
    return closest;
}

bool ControllerAIState::BlocksPath(const Entity* entity)
{
    return entity != nullptr && entity->OccludesPathing() && entity->IsStatic();
}

bool ControllerAIState::IsPathClear(uint32_t targetId, Entity*& blocker)
{
    blocker = nullptr;
    Character* target = CharacterById(targetId);
    auto* self = DynamicCast<Character>(LookUpDrivenCharacter());
    World* world = GetWorld();
    if (target == nullptr || self == nullptr || world == nullptr)
        return false;
    WorldVec3 start = self->GetPathPosition();
    start.TranslateInRegion(self->GetCenterOfMass());
    const WorldVec3 targetCentre = target->GetPathPosition();
    Vec3 end;
    // A target in a region this world cannot relate to ours is out of sight.
    if (!targetCentre.GetPositionInRegion(start.GetRegionId(), end, world))
        return false;
    end += target->GetCenterOfMass();
    const Vec3 difference = end - start.GetRegionPosition();
    const float targetDistanceSquared = difference.LengthSquared();
    const WorldRay ray(start, difference);

    thread_local std::vector<Entity*> onRay;
    onRay.clear();
    world->GetAllIntersections(ray, onRay, true, Sqrt(targetDistanceSquared));
    for (Entity* entity : onRay) {
        if (entity == self || entity == target || !BlocksPath(entity))
            continue;
        if (DistanceSquared(start, entity->GetCoords().GetPosition()) < targetDistanceSquared) {
            blocker = entity;
            return false;
        }
    }

    Intersection hit;
    world->GetIntersection(ray, hit, kSightSurface);
    if (!hit.IsHit())
        return true;
    return (hit.point - start.GetRegionPosition()).LengthSquared() > targetDistanceSquared;
}

Character* ControllerAIState::IsBarrierBlocking(uint32_t targetId)
{
    Character* target = CharacterById(targetId);
    auto* self = DynamicCast<Character>(LookUpDrivenCharacter());
    World* world = GetWorld();
    const TeamManager* teams = GetTeams();
    if (target == nullptr || self == nullptr || world == nullptr || teams == nullptr)
        return nullptr;
    const WorldVec3 from = self->GetCoords().GetPosition();
    Vec3 towards;
    if (!target->GetCoords().GetPosition().GetPositionInRegion(from.GetRegionId(), towards, world))
        return nullptr;
    const WorldVec3 own = self->GetPathPosition();
    const float length = Sqrt(DistanceSquared(own, target->GetPathPosition()));

    thread_local std::vector<Entity*> onRay;
    onRay.clear();
    world->GetAllIntersections(WorldRay(from, towards - from.GetRegionPosition()), onRay, true,
                               length);
    Character* nearest = nullptr;
    float best = gPositiveInfinity;
    for (Entity* entity : onRay) {
        auto* barrier = DynamicCast<DynamicBarrier>(entity);
        if (barrier == nullptr || !barrier->IsAlive() ||
            !teams->IsFoe(barrier->GetObjectId(), self->GetObjectId()))
            continue;
        const float distance = DistanceSquared(own, barrier->GetPathPosition());
        if (nearest == nullptr || distance < best) {
            nearest = barrier;
            best = distance;
        }
    }
    return nearest;
}

} // namespace GAME
