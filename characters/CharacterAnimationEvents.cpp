// Where a character's animation events go, and where it has to stand to act on something.
#include "ai/ControllerBaseCharacter.h"
#include "ai/SlotManager.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/CharacterActionHandler.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/Intersection.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "engine/WorldRay.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "world/FixedItem.h"
#include "world/StrategicMovementBase.h"

namespace GAME {

namespace {

const Name& StopRotationEvent()
{
    static const Name name = Name::Create("StopRotation");
    return name;
}

const Name& LeftFootstepEvent()
{
    static const Name name = Name::Create("L Footstep");
    return name;
}

const Name& RightFootstepEvent()
{
    static const Name name = Name::Create("R Footstep");
    return name;
}

// `from` moved `distance` along the unit vector towards `to`. Coinciding points give no
// direction, and the point stays put; no region when the two cannot be related.
WorldVec3 MoveToward(const WorldVec3& from, const WorldVec3& to, float distance)
{
    Vec3 target;
    if (!from.HasRegion() || !to.GetPositionInRegion(from.GetRegionId(), target))
        return WorldVec3();
    WorldVec3 moved = from;
    moved.Translate((target - from.GetRegionPosition()).Unit() * distance);
    return moved;
}

float GetEntityExtents(const Entity& entity)
{
    if (const auto* character = DynamicCast<Character>(&entity))
        return character->GetExtents();
    if (const auto* actor = DynamicCast<Actor>(&entity))
        return actor->GetMeshBoundingRadius();
    return 0.0f;
}

} // namespace

void Character::AnimationCallback(int32_t kind, const Name& name)
{
    if (kind != 0) {
        Actor::AnimationCallback(kind, name);
        return;
    }
    // Events can come before the sets exist; then there is no set to consume them.
    if (currentAnimationSet != nullptr && currentAnimationSet->HandleAnimationCallback(*this, name))
        return;
    if (name == StopRotationEvent()) {
        rotateTowardsTarget = false;
    } else if (!animationSounds.PlaySound(*this, name, nullptr)) {
        if (name == LeftFootstepEvent() || name == RightFootstepEvent()) {
            PlayFootstepSound();
            return;
        }
        if (actionHandler != nullptr)
            actionHandler->AnimationCallback(name);
    }
    if (auto* controller =
            ObjectManager::Instance().GetObject<ControllerBaseCharacter>(controllerId))
        controller->HandleEvent(name);
    Actor::AnimationCallback(kind, name);
}

void Character::PlayFootstepSound()
{
    const World* world = gEngine->GetWorld();
    if (world == nullptr)
        return;
    const float h = GetSizeValue();
    WorldVec3 origin = GetCoords().GetPosition();
    origin.TranslateInRegion(Vec3(0.0f, 2.0f * h, 0.0f));
    Intersection hit;
    if (!world->GetIntersection(WorldRay(origin, Vec3(0.0f, -1.0f, 0.0f)), hit, 100, true) ||
        !(hit.distance < 2.0f * h + 0.25f))
        return;
    uint32_t soundId = 0;
    switch (hit.surface) {
    case 1:
        soundId = footGrassSound;
        break;
    case 2:
        soundId = footDirtSound;
        break;
    case 3:
        soundId = footSandSound;
        break;
    case 4:
        soundId = footSnowSound;
        break;
    case 5:
        soundId = footStoneSound;
        break;
    case 6:
        soundId = footWoodSound;
        break;
    case 7:
        soundId = footWaterSound;
        break;
    default:
        return;
    }
    if (SoundPak* sound = GetSoundPak(soundId)) {
        sound->Play(GetCoords(), false, true);
        sound->Track(GetObjectId());
    }
}

WorldVec3 Character::GetMoveToPoint(uint32_t targetId, uint32_t skillId, const WorldVec3& point)
{
    if (targetId == GetObjectId())
        return GetPathPosition();
    ObjectManager& objects = ObjectManager::Instance();
    auto* target = objects.GetObject<Character>(targetId);
    const Skill* skill = objects.GetObject<Skill>(skillId);
    const WorldVec3 own = GetPathPosition();
    WorldVec3 goal;
    float distance = 0.0f;

    if (target == nullptr) {
        auto* entity = objects.GetObject<Entity>(targetId);
        if (entity == nullptr) {
            goal = point;
            distance = skill != nullptr ? skill->GetRange() : 0.0f;
        } else if (auto* fixedItem = DynamicCast<FixedItem>(entity)) {
            return fixedItem->GetMoveToPoint(GetObjectId());
        } else if (auto* strategic = DynamicCast<StrategicMovementBase>(entity)) {
            return strategic->GetMoveToPoint(GetObjectId());
        } else {
            goal = entity->GetCoords().GetPosition();
            if (entity->OccludesPathing() && entity->IsStatic()) {
                // Just short of an obstacle's centre, so the path ends at its rim.
                const WorldVec3 nudged = MoveToward(goal, own, 0.003f);
                if (nudged.HasRegion())
                    goal = nudged;
                distance = 0.0f;
            } else {
                distance = GetEntityExtents(*entity) + GetExtents();
            }
        }
    } else {
        const TeamManager* teams = GameEngine::Get().GetTeamManager();
        if (teams != nullptr && teams->IsFriend(*this, *target)) {
            WorldVec3 result;
            if (GetActionState() == ActionState_Walk) {
                const float gap = target->GetExtents() + GetExtents() + 1.0f;
                result =
                    MoveToward(target->GetCoords().GetPosition(), GetCoords().GetPosition(), gap);
                if (result.HasRegion() && !CanMoveTo(result, 0.5f))
                    result = WorldVec3();
                return result;
            }
            target->RequestDefenseSlot(result, GetObjectId(), false);
            return result;
        }
        if (skill == nullptr) {
            goal = target->GetPathPosition();
            distance = target->GetExtents() + GetExtents();
        } else if (skill->NeedsAttackSlot() && DynamicCast<Player>(this) == nullptr) {
            WorldVec3 result;
            target->RequestAttackSlot(result, GetObjectId(), skillId);
            return result;
        } else {
            goal = target->GetPathPosition();
            distance = skill->GetRange() + GetExtents() + target->GetExtents();
        }
    }

    WorldVec3 result = movementManager->GetPointAwayFromGoal(goal, distance);
    if (result.HasRegion() && CanMoveTo(result, 0.5f))
        return result;
    Vec3 goalPosition;
    if (!goal.HasRegion() || !goal.GetPositionInRegion(own.GetRegionId(), goalPosition))
        return WorldVec3();
    const Vec3 toGoal = goalPosition - own.GetRegionPosition();
    const float length = toGoal.Length();
    result = own;
    if (!result.TranslateToFloor(toGoal.Unit() * (length - distance)))
        return WorldVec3();
    return result;
}

void Character::RequestAttackSlot(WorldVec3& out, uint32_t attackerId, uint32_t skillId)
{
    const float distance = GetTargetDistance(GetObjectId(), attackerId, skillId);
    attackSlots->RequestSlot(out, attackerId, distance, false);
}

void Character::RequestDefenseSlot(WorldVec3& out, uint32_t otherId, bool flag)
{
    const auto* other = ObjectManager::Instance().GetObject<Character>(otherId);
    if (other == nullptr)
        return;
    defenseSlots->RequestSlot(out, otherId, other->GetExtents() + GetExtents() + 2.0f, flag);
}

void Character::ReleaseAttackSlot(uint32_t id)
{
    attackSlots->ReleaseSlot(id);
}

void Character::ReleaseDefenseSlot(uint32_t id)
{
    defenseSlots->ReleaseSlot(id);
}

float Character::GetTargetDistance(uint32_t characterId, uint32_t targetId, uint32_t skillId)
{
    ObjectManager& objects = ObjectManager::Instance();
    const auto* character = objects.GetObject<Character>(characterId);
    const auto* skill = objects.GetObject<Skill>(skillId);
    if (character == nullptr || skill == nullptr)
        return 0.0f;
    float distance = character->GetExtents();
    if (const auto* target = objects.GetObject<Character>(targetId))
        distance += target->GetExtents();
    return distance + skill->GetRange();
}

bool Character::NearTarget(uint32_t targetId, float margin) const
{
    auto* target = ObjectManager::Instance().GetObject<Character>(targetId);
    const World* world = gEngine->GetWorld();
    if (target == nullptr || world == nullptr)
        return false;
    const float distance =
        world->GetDistance(movementManager->GetPathPosition(), target->GetPathPosition());
    return distance <= GetExtents() + target->GetExtents() + margin;
}

} // namespace GAME
