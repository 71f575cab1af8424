// The character's frame and the state changes it drives: dying and death, respawn, teleport,
// stopping, walking and following paths, and the movement manager's face to the rest of the game.
#include "ai/ControllerBaseCharacter.h"
#include "ai/ControllerCharacter.h"
#include "ai/ControllerCombat.h"
#include "ai/MovementGoalManager.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/CharacterActionHandler.h"
#include "characters/CharacterMovementManager.h"
#include "combat/DeathManager.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PathGenerationParams.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "game/GameEngine.h"

namespace GAME {

namespace {

template <typename T> T* GetController(uint32_t controllerId)
{
    return ObjectManager::Instance().GetObject<T>(controllerId);
}

} // namespace

void Character::PreAnimationUpdate(int32_t /*elapsedMs*/)
{
    if (lifeState != LifeState_Dead) {
        bio.Update(*this, frameTime);
        skillManager.Update(frameTime);
        if (auto* controller = GetController<ControllerBaseCharacter>(controllerId))
            controller->Update(frameTime);
        return;
    }
    auto* controller = GetController<ControllerCombat>(controllerId);
    if (controller == nullptr || !controller->NeedsDeathUpdate())
        return;
    bio.Update(*this, frameTime);
    skillManager.Update(frameTime);
    controller->DeathUpdate(frameTime);
}

void Character::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    frameTime = 0;
    if (elapsedMs <= 0)
        return;
    frameTimer.Update();
    frameTime = frameTimer.GetElapsedTime();
    if (distressCallTimer > 0)
        distressCallTimer -= elapsedMs;
    pfxManager.Update(frameTime);

    if (lifeState != LifeState_Dead) {
        if (actionState == ActionState_Attack) {
            WorldVec3 target;
            if (auto* victim =
                    ObjectManager::Instance().GetObject<Character>(currentAttackTargetId))
                target = victim->GetCoords().GetPosition();
            else if (currentAttackPoint.HasRegion())
                target = currentAttackPoint;
            const WorldVec3 own = GetCoords().GetPosition();
            Vec3 targetPosition;
            if (rotateTowardsTarget && target.HasRegion() &&
                target.GetPositionInRegion(own.GetRegionId(), targetPosition))
                RotateTowards(elapsedMs, targetPosition - own.GetRegionPosition(), own);
        }
        combatManager.Update(frameTime, bio);
        auraManager.Update(*this, frameTime);
        FollowPath(elapsedMs);
        if (gEngine->IsCharacterDataLogEnabled())
            DebugRender();
        if (deathHandlers != nullptr) {
            deathHandlers->Update(frameTime);
            if (deathHandlers->IsFinished()) {
                if (actionHandler != nullptr)
                    actionHandler->Stop();
                deathHandlers->PostProcess();
            }
        }
        Update_TweakPose(elapsedMs);
    }
    playStats.Update(elapsedMs);
}

void Character::StartRespawn(const WorldCoords& coords)
{
    TeleportToLocation(coords);
    bio.ReloadValues();
    movementDisallowed = false;
    if (deathHandlers != nullptr)
        deathHandlers->Reset();
    SetLifeState(LifeState_Respawning);
    StartSpawnEffect();
}

void Character::StartSpawnEffect()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!spawnEffect.empty()) {
        auto* effect = objects.CreateObjectFromFile<EffectEntity>(spawnEffect);
        // An effect the world will not take would be nobody's.
        if (effect != nullptr && !effect->AddToWorld(GetCoords(), true))
            objects.DestroyObjectEx(effect, "Project/Game/Character", __LINE__);
    }
    if (SoundPak* sound = GetSoundPak(spawnSoundId))
        sound->Play(GetCoords(), false, true);
}

void Character::TeleportToLocation(const WorldCoords& coords)
{
    if (auto* controller = GetController<ControllerCharacter>(controllerId))
        controller->Teleport(coords);
    CharacterStopMoving();
    WorldCoords placed = coords;
    WorldVec3 position = placed.GetPosition();
    // Off the floor the character still goes where it was sent.
    if (position.PutOnFloor())
        placed.SetPosition(position);
    if (World* world = gEngine->GetWorld())
        world->SetCoords(this, placed);
    movementManager->Reset();
}

void Character::CharacterStopMoving()
{
    if (IsMoving()) {
        if (actionHandler != nullptr)
            actionHandler->Stop();
        movementManager->ClearPath();
        SetActionState(ActionState_ForcedStop);
    }
    if (auto* controller = GetController<ControllerBaseCharacter>(controllerId))
        controller->EndOfPathReached();
}

void Character::WalkTo(const WorldVec3& point, float /*speed*/)
{
    if (!point.HasRegion() || !IsAlive())
        return;
    bool alreadyThere = false;
    if (!movementManager->SetNewPathTarget(GetPathPosition(), point, alreadyThere))
        return;
    if (alreadyThere) {
        if (auto* controller = GetController<ControllerBaseCharacter>(controllerId))
            controller->EndOfPathReached();
    }
    if (GetActionState() == ActionState_Walk)
        return;
    SetActionState(ActionState_Walk);
    if (currentAnimationSet == nullptr ||
        !currentAnimationSet->PlayAnimation(*this, AnimationSet_Walk, Name::noName, 1.0f, true, 1))
        CharacterStopMoving();
}

void Character::FollowPath(int32_t elapsedMs)
{
    if (!movementManager->Update(elapsedMs))
        CharacterStopMoving();
}

void Character::UpdatePath()
{
    if (currentAttackTargetId == 0)
        return;
    auto* target = ObjectManager::Instance().GetObject<Character>(currentAttackTargetId);
    if (target == nullptr)
        return;
    const WorldVec3 goal =
        GetMoveToPoint(currentAttackTargetId, static_cast<uint32_t>(currentAttackSkillId),
                       target->GetPathPosition());
    const WorldVec3 position = movementManager->GetPathPosition();
    const World* world = gEngine->GetWorld();
    if (world != nullptr && goal.HasRegion() && goal != position) {
        const float tolerance = 0.05f * world->GetDistance(goal, position);
        if (world->GetDistance(movementManager->GetPathTarget(), goal) <= tolerance)
            return;
        bool alreadyThere = false;
        if (movementManager->SetNewPathTarget(position, goal, alreadyThere))
            return;
    }
    CharacterStopMoving();
}

// The movement manager's face.

void Character::ResetMovementManager()
{
    if (movementManager != nullptr)
        movementManager->Reset();
}

bool Character::IsMoving() const
{
    const Character_ActionState state = GetActionState();
    return state == ActionState_Move || state == ActionState_Walk;
}

bool Character::CanWalk() const
{
    return currentAnimationSet != nullptr &&
           currentAnimationSet->DoesAnimationExist(AnimationSet_Walk);
}

bool Character::CanMoveTo(const WorldVec3& point, float tolerance)
{
    return movementManager->CanMoveTo(GetPathPosition(), point, tolerance, 0.0f);
}

bool Character::AlreadyThere(const WorldVec3& point) const
{
    return movementManager->AlreadyThere(movementManager->GetPathPosition(), point);
}

WorldVec3 Character::GetFurthestMoveToPoint(const WorldVec3& point)
{
    return movementManager->GetFurthestMoveToPoint(point);
}

WorldVec3 Character::GetPathPosition()
{
    return movementManager->GetPathPosition();
}

WorldVec3 Character::GetPathTarget() const
{
    if (GetActionState() != ActionState_Move)
        return WorldVec3();
    return movementManager->GetPathTarget();
}

Path* Character::GetPath() const
{
    return movementManager->GetPath();
}

void Character::UpdatePathPosition(const WorldVec3& point)
{
    movementManager->UpdatePathPosition(point);
}

void Character::SetPathPosition(const WorldVec3& point)
{
    WorldCoords coords = GetCoords();
    coords.SetPosition(point);
    if (World* world = gEngine->GetWorld())
        world->SetCoords(this, coords);
    movementManager->SetPathPosition(point);
}

void Character::SetPathPositionNotCoords(const WorldVec3& point)
{
    movementManager->SetPathPositionNoJump(point);
}

float Character::GetPathSlowdownLength() const
{
    return GameEngine::Get().GetPathSlowdownLength();
}

float Character::GetPathMass() const
{
    return IsMoving() ? pathMass : 2.0f * pathMass;
}

bool Character::OccludesPathing() const
{
    return IsAlive() && !invisible;
}

MovementGoalManager& Character::GetMovementGoalManager()
{
    return MovementGoalManager::GetCharacterInstance();
}

void Character::GetPathGenerationParams(PathGenerationParams& params) const
{
    params.values[0] = 0.1f;
    params.values[1] = 0.4f;
    params.values[2] = 0.5f;
    params.values[3] = 1.0f;
    params.vector = Vec3();
}

Sphere Character::GetRegionBoundingSphere() const
{
    const ABBox& box = GetMeshBoundingBox();
    const Vec3 center = GetCoords().GetRegionCoords().TransformVector(box.GetCenter());
    return Sphere(GetCoords().GetRegionCoords().origin + center, GetMeshBoundingRadius());
}

void Character::MoveTo(const WorldVec3& point, float /*blendTime*/)
{
    if (!point.HasRegion() || !IsAlive())
        return;
    bool alreadyThere = false;
    if (!movementManager->SetNewPathTarget(GetPathPosition(), point, alreadyThere) || alreadyThere)
        return;
    if (GetActionState() == ActionState_Move)
        return;
    SetActionState(ActionState_Move);
    if (currentAnimationSet == nullptr ||
        !currentAnimationSet->PlayAnimation(*this, AnimationSet_Run, Name::noName, GetRunSpeed(),
                                            true)) {
        movementManager->Reset();
        SetActionState(ActionState_ForcedStop);
    }
}

} // namespace GAME
