#include "characters/CharacterMovementManager.h"

#include "ai/ControllerBaseCharacter.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/Helpers.h"
#include "core/RandomHelpers.h"
#include "core/WorldHelpers.h"
#include "engine/DebugRenderManager.h"
#include "engine/DynamicObstacle.h"
#include "engine/Engine.h"
#include "engine/OBBox.h"
#include "engine/ObjectManager.h"
#include "engine/Path.h"
#include "engine/PathFinder.h"
#include "engine/PathGenerationParams.h"
#include "engine/Sphere.h"
#include "engine/World.h"

#include <cmath>
#include <vector>

namespace GAME {

namespace {

// How often a moving character looks for others to steer round, in milliseconds.
int32_t NextAvoidanceScan()
{
    return RandomInt(200, 400);
}

} // namespace

CharacterMovementManager::CharacterMovementManager(Character* owner) : owner(owner) {}

CharacterMovementManager::~CharacterMovementManager()
{
    path.reset();
    cachedPath.reset();
    localPath.reset();
}

WorldVec3 CharacterMovementManager::GetPathPosition()
{
    if (!pathPosition.HasRegion())
        pathPosition = owner->GetCoords().GetPosition();
    return pathPosition;
}

void CharacterMovementManager::SetPathPosition(const WorldVec3& position)
{
    pathPosition = position;
    localPosition = position;
}

void CharacterMovementManager::SetPathPositionNoJump(const WorldVec3& position)
{
    pathPosition = position;
}

void CharacterMovementManager::ClearPath()
{
    step = 0.0f;
    path.reset();
    localPath.reset();
}

void CharacterMovementManager::Reset()
{
    ClearPath();
    SetPathPosition(owner->GetCoords().GetPosition());
}

float CharacterMovementManager::GetDistance(const WorldVec3& a, const WorldVec3& b) const
{
    const World* world = gEngine->GetWorld();
    return world != nullptr ? world->GetDistance(a, b) : INFINITY;
}

bool CharacterMovementManager::AlreadyThere(const WorldVec3& /*from*/, const WorldVec3& to)
{
    const WorldVec3 position = GetPathPosition();
    if (position == to)
        return true;
    const World* world = gEngine->GetWorld();
    return world != nullptr && world->GetDistanceSquared(position, to) < 0.25f;
}

std::unique_ptr<Path> CharacterMovementManager::FindPath(const WorldVec3& from, const WorldVec3& to)
{
    World* world = gEngine->GetWorld();
    if (world == nullptr || !(world->GetDistanceSquared(from, to) > 0.0001f))
        return nullptr;
    PathGenerationParams params;
    owner->GetPathGenerationParams(params);
    return world->FindPath(static_cast<int32_t>(owner->GetSize()), from, to, params.vector,
                           params.values[0], params.values[1], params.values[2], params.values[3],
                           30);
}

bool CharacterMovementManager::SetNewPathTarget(const WorldVec3& from, const WorldVec3& to,
                                                bool& alreadyThere)
{
    alreadyThere = false;
    if (AlreadyThere(from, to)) {
        alreadyThere = true;
        return true;
    }
    path.reset();
    localPath.reset();
    if (cachedPath != nullptr && cachedFrom == from && cachedTo == to)
        path = std::move(cachedPath);
    else
        path = FindPath(from, to);
    if (path == nullptr)
        return false;
    step = 0.0f;
    pathTarget = to;
    if (GetDistance(GetPathPosition(), to) < closeEnoughToJump) {
        SetPathPosition(to);
        path.reset();
    } else {
        SetPathPosition(from);
    }
    // A jump to the target still counts as a success: a path had been found.
    return true;
}

bool CharacterMovementManager::CanMoveTo(const WorldVec3& from, const WorldVec3& to,
                                         float endTolerance, float maxDetourRatio)
{
    if (GetDistance(GetPathPosition(), to) < 0.1f)
        return true;
    if (cachedPath != nullptr && cachedFrom == from && cachedTo == to)
        return true;
    std::unique_ptr<Path> found = FindPath(GetPathPosition(), to);
    if (found == nullptr)
        return false;
    const float length = found->GetLength();
    if (length == 0.0f)
        return false;
    if (maxDetourRatio != 0.0f) {
        // Both ends in one place make no detour, whatever way the path takes.
        const float straight = GetDistance(from, to);
        const float ratio = straight > 0.0f ? length / straight : 1.0f;
        if (ratio > maxDetourRatio)
            return false;
    }
    const WorldVec3 end = found->GetEnd();
    if (!end.HasRegion() || !(GetDistance(end, to) <= endTolerance))
        return false;
    cachedPath = std::move(found);
    cachedFrom = from;
    cachedTo = to;
    return true;
}

WorldVec3 CharacterMovementManager::GetFurthestMoveToPoint(const WorldVec3& point)
{
    return PathFinder::Instance().GetFurthestPoint(static_cast<int32_t>(owner->GetSize()),
                                                   GetPathPosition(), point);
}

WorldVec3 CharacterMovementManager::GetPointAwayFromGoal(const WorldVec3& goal, float distance)
{
    WorldVec3 result = goal;
    if (!(distance > 0.0f))
        return result;
    std::unique_ptr<Path> toGoal = FindPath(GetPathPosition(), goal);
    if (toGoal == nullptr)
        return result;
    const float length = toGoal->GetLength();
    if (distance > length) {
        result = GetPathPosition();
    } else {
        Vec3 heading;
        toGoal->Advance(length - distance, result, heading);
    }
    return result;
}

void CharacterMovementManager::UpdatePathPosition(const WorldVec3& point)
{
    const World* world = gEngine->GetWorld();
    if (!owner->IsMoving() || world == nullptr ||
        !(world->GetDistanceSquared(GetPathPosition(), point) > 0.25f))
        return;
    bool alreadyThere = false;
    if (!SetNewPathTarget(point, pathTarget, alreadyThere)) {
        owner->CharacterStopMoving();
        return;
    }
    if (alreadyThere) {
        auto* controller =
            ObjectManager::Instance().GetObject<ControllerBaseCharacter>(owner->GetControllerId());
        if (controller != nullptr)
            controller->EndOfPathReached();
    }
}

bool CharacterMovementManager::Update(int32_t ms)
{
    if (owner->IsMoving())
        owner->UpdatePath();
    if (owner->IsMoving()) {
        const float speed = CalculateSpeed();
        CreateLocalPath(ms, speed);
        if (!MoveDownPath(ms, speed))
            return false;
        UpdateCharacterPosition(ms, speed);
    } else {
        UpdateCharacterPosition(ms, 2.0f);
    }
    return true;
}

float CharacterMovementManager::CalculateSpeed()
{
    if (path == nullptr) {
        // Once a character: one stuck so would say it again every frame it stays so.
        if (!toldNoPath)
            gEngine->Log(Engine::LogRuntime, "Path == NULL for %s", owner->GetObjectName().c_str());
        toldNoPath = true;
        return 0.0f;
    }
    const float slowdown = Max(0.1f, owner->GetPathSlowdownLength());
    const float speed = owner->GetMotion().Length();
    const float remaining = path->GetLength() - step;
    if (remaining < slowdown)
        return Max(1.0f, speed * remaining / slowdown);
    return speed;
}

bool CharacterMovementManager::MoveDownPath(int32_t ms, float speed)
{
    localPosition = WorldVec3();
    if (path == nullptr)
        return false;
    previousPosition = GetPathPosition();
    direction = Vec3();
    step = static_cast<float>(ms) * 0.001f * speed;

    const float length = path->GetLength();
    bool finished = false;
    if (length < step || length < closeEnoughToJump) {
        const WorldVec3 end = path->GetEnd();
        if (end.HasRegion())
            pathPosition = end;
        finished = true;
    } else {
        path->Advance(step, pathPosition, direction);
    }

    if (localPath != nullptr && !finished) {
        // The local path is walked in the time the global step takes.
        const float localLength = localPath->GetLength();
        step = localLength / length * step;
        if (localLength < step || localLength < closeEnoughToJump) {
            const WorldVec3 end = localPath->GetEnd();
            if (end.HasRegion())
                localPosition = end;
        } else {
            localPath->Advance(step, localPosition, direction);
        }
    }
    return !finished;
}

void CharacterMovementManager::UpdateCharacterPosition(int32_t ms, float /*speed*/)
{
    World* world = gEngine->GetWorld();
    if (world == nullptr || gEngine->IsPositionUpdateSuppressed() || owner->GetParent() != nullptr)
        return;
    WorldCoords coords = owner->GetCoords();
    if (localPosition.HasRegion())
        coords.SetPosition(localPosition);
    else if (pathPosition.HasRegion())
        coords.SetPosition(pathPosition);

    if (!owner->IsMoving()) {
        world->SetCoords(owner, coords);
        return;
    }
    if (direction.Length() > 0.0f)
        owner->RotateTowards(ms, direction, coords.GetPosition());
    else
        world->SetCoords(owner, coords);
    if (ms > 0) {
        const int32_t splash = DynamicCast<Player>(owner) != nullptr ? 1 : 0;
        world->CreateDisturbance(coords.GetPosition(), owner->GetExtents(), 2.0f, splash);
    }
}

void CharacterMovementManager::CreateLocalPath(int32_t ms, float speed)
{
    const int64_t sinceDrawn = static_cast<int64_t>(gEngine->GetFrameCount()) -
                               static_cast<int64_t>(owner->GetLastFrameRendered());
    if (sinceDrawn > 5)
        return;

    localPathTimer -= ms;
    if (localPathTimer <= 0) {
        localPathTimer = NextAvoidanceScan();
        AvoidCharactersAhead(speed);
    }

    const WorldVec3 position = owner->GetCoords().GetPosition();
    if (localPath == nullptr && GetDistance(pathPosition, position) > 0.1f) {
        localPathTimer = NextAvoidanceScan();
        std::unique_ptr<Path> found = FindPath(position, pathTarget);
        if (found != nullptr)
            localPath = std::move(found);
    }
}

void CharacterMovementManager::AvoidCharactersAhead(float speed)
{
    World* world = gEngine->GetWorld();
    const WorldCoords& ownerCoords = owner->GetCoords();
    if (world == nullptr || !ownerCoords.HasRegion())
        return;

    // The box looks 2 x speed ahead, as wide and high as two of the owner.
    const Coords& frame = ownerCoords.GetRegionCoords();
    const float extents = owner->GetExtents();
    const OBBox scan(
        Vec3(2.0f * extents, 2.0f * extents, speed),
        Coords(frame.right, frame.up, frame.forward, frame.origin + frame.forward * speed));
    // Every mover scans now and then: keep the scratch list.
    thread_local std::vector<Entity*> found;
    found.clear();
    struct Others : FilterFunction<Entity> {
        const Character* owner;
        bool operator()(const Entity* entity) const override { return entity != owner; }
    };
    Others others;
    others.owner = owner;
    // The dead bear a mark of their own: asking for every other leaves them out unseen.
    world->GetNearestEntitiesInBox(found, scan.GetAxisAlignedBox(), ownerCoords.GetRegion(),
                                   frame.origin,
                                   {&Character::classInfo, World::kAnyMarks & ~Character::kDeadMark,
                                    &others, kMaxCharactersWeighedAhead},
                                   kMaxCharactersAhead);

    std::vector<std::unique_ptr<DynamicObstacle>> obstacles;
    for (Entity* entity : found) {
        auto* other = static_cast<Character*>(entity);
        if (!ShouldAvoid(other, speed))
            continue;
        std::unique_ptr<DynamicObstacle> obstacle =
            DynamicObstacle::Create(ownerCoords.GetRegionId(), other->GetRegionBoundingSphere());
        if (obstacle == nullptr)
            continue;
        obstacle->Attach();
        obstacles.push_back(std::move(obstacle));
    }
    if (obstacles.empty())
        return;

    const WorldVec3 position = ownerCoords.GetPosition();
    std::unique_ptr<Path> candidate = FindPath(position, pathTarget);
    for (const std::unique_ptr<DynamicObstacle>& obstacle : obstacles)
        obstacle->Detach();
    obstacles.clear();
    if (candidate == nullptr)
        return;
    if (path != nullptr && (candidate->GetLength() > 1.5f * path->GetLength() ||
                            GetDistance(candidate->GetStart(), position) > 0.1f ||
                            GetDistance(candidate->GetEnd(), pathTarget) > 0.1f))
        return;
    localPath = std::move(candidate);
}

bool CharacterMovementManager::ShouldAvoid(Character* other, float speed)
{
    if (other == owner || !other->IsAlive())
        return false;
    uint32_t targetId = 0;
    WorldVec3 targetPoint;
    uint32_t skillId = 0;
    owner->GetCurrentAttackTarget(targetId, targetPoint, skillId);
    if (other->GetObjectId() == targetId)
        return false;
    const Monster* monster = DynamicCast<Monster>(other);
    if (monster != nullptr && monster->GetLeader() == owner->GetObjectId())
        return false;
    if (owner->NearTarget(other->GetObjectId(), 0.6f))
        return true;

    const WorldVec3 ownerPosition = owner->GetCoords().GetPosition();
    const WorldVec3 hit = GetRaySphereIntersection(other->GetCoords().GetPosition(),
                                                   other->GetMotion(), ownerPosition, speed);
    if (!hit.HasRegion())
        return false;
    Vec3 target;
    Vec3 hitPoint;
    if (!pathTarget.GetPositionInRegion(ownerPosition.GetRegionId(), target) ||
        !hit.GetPositionInRegion(ownerPosition.GetRegionId(), hitPoint))
        return false;
    const Vec3& origin = ownerPosition.GetRegionPosition();
    const float cosine = Dot((target - origin).Unit(), (hitPoint - origin).Unit());
    return std::acos(Clamp(cosine, -1.0f, 1.0f)) <= 45.0f * 3.14159265f / 180.0f;
}

void CharacterMovementManager::DebugRender()
{
    DebugRenderManager& debug = DebugRenderManager::Get();
    if (pathPosition.HasRegion())
        debug.RenderSphere(pathPosition, 0.1f, Color(0.25f, 1.0f, 0.25f, 1.0f));
    if (localPosition.HasRegion())
        debug.RenderSphere(localPosition, 0.1f, Color(0.2f, 0.2f, 1.0f, 1.0f));
    if (pathTarget.HasRegion())
        debug.RenderSphere(pathTarget, 0.1f, Color(1.0f, 1.0f, 0.0f, 1.0f));
    if (path != nullptr)
        path->DebugRender();
    if (localPath != nullptr)
        localPath->DebugRender();
}

} // namespace GAME
