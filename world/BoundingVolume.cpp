// How a volume notices who passes. Each frame it asks the world once for the entities in its
// sphere, sorts their ids and walks that list side by side with the sorted list of the frame
// before: an id only in the new list came in, one only in the old list went out. Each change
// is first queued (`OnEnter`, `OnExit`) and then acted on (`OnEnterAction`, `OnExitAction`),
// which sends the event; the queues are folded into the list after the walk, so an action that
// looks at the list still sees the frame before. An entity in and out between two frames is
// never seen. A kind whose action destroys the volume stops the walk at once: the rest of the
// frame's changes would be reported by a volume that no longer exists.

#include "world/BoundingVolume.h"

#include "core/GameEvents.h"
#include "core/RandomHelpers.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/World.h"
#include "world/EditorPicking.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(BoundingVolume, Actor);

namespace {
// Volumes in the editor's filter.
constexpr int32_t kEditorFilterType = 1;
} // namespace

BoundingVolume::BoundingVolume()
{
    SetPhysicsType(0);
}

BoundingVolume::~BoundingVolume()
{
    if (gEngine->IsLevelEditor())
        EditorFilter::Instance().RemoveFilterObject(GetObjectId());
    SendLifeEvent("GameEvent_GenericEntityDestroy");
}

void BoundingVolume::SendLifeEvent(const char* name) const
{
    GameEvent_GenericEntity event;
    event.objectName = GetObjectName();
    event.objectId = GetObjectId();
    EventManager::Instance().Send(name, event);
}

void BoundingVolume::Load(const LoadTable& table)
{
    SetMesh("System/Meshes/Sphere.msh");
    Actor::Load(table);
    radius = table.GetFloat("radius", 0.0f);
    SendLifeEvent("GameEvent_GenericEntitySpawn");
}

bool BoundingVolume::IsInWorld() const
{
    if (const Entity* parent = GetAttachParent())
        return parent->IsInWorld();
    return Actor::IsInWorld();
}

WorldCoords BoundingVolume::GetVolumeCoords() const
{
    if (const Entity* parent = GetAttachParent())
        return parent->GetCoords();
    return GetCoords();
}

void BoundingVolume::QueryOccupants(std::vector<uint32_t>& out) const
{
    out.clear();
    const World* world = gEngine->GetWorld();
    const WorldCoords coords = GetVolumeCoords();
    const Region* region = world != nullptr ? world->GetRegionById(coords.GetRegionId()) : nullptr;
    if (region == nullptr)
        return;
    queryScratch.clear();
    world->GetEntitiesInSphere(queryScratch, region, coords.GetRegionCoords().origin, radius, true,
                               2);
    for (const Entity* entity : queryScratch)
        out.push_back(entity->GetObjectId());
    std::sort(out.begin(), out.end());
}

void BoundingVolume::InitialUpdate()
{
    Actor::InitialUpdate();
    const bool editor = gEngine->IsLevelEditor();
    SetVisibility(editor);
    if (editor)
        EditorFilter::Instance().AddFilterObject(GetObjectId(), kEditorFilterType);
    QueryOccupants(entitiesInVolume);
    SendLifeEvent("GameEvent_GenericEntityInitialUpdate");
}

void BoundingVolume::UpdateSelf(int32_t elapsedMs)
{
    SetScale(radius);
    Actor::UpdateSelf(elapsedMs);
    QueryOccupants(found);
    std::sort(entitiesInVolume.begin(), entitiesInVolume.end());
    mergeStopped = false;
    size_t fresh = 0;
    size_t old = 0;
    while (!mergeStopped && (fresh < found.size() || old < entitiesInVolume.size())) {
        const bool haveFresh = fresh < found.size();
        const bool haveOld = old < entitiesInVolume.size();
        if (haveFresh && (!haveOld || found[fresh] < entitiesInVolume[old])) {
            OnEnter(found[fresh++]);
        } else if (haveOld && (!haveFresh || entitiesInVolume[old] < found[fresh])) {
            OnExit(entitiesInVolume[old++]);
        } else {
            ++fresh;
            ++old;
        }
    }
    if (mergeStopped)
        return;
    AddQueuedEntities();
    EraseQueuedEntities();
    if (gEngine->IsCharacterDataLogEnabled())
        DebugRender();
}

void BoundingVolume::AddQueuedEntities()
{
    entitiesInVolume.insert(entitiesInVolume.end(), enteredQueue.begin(), enteredQueue.end());
    enteredQueue.clear();
}

void BoundingVolume::EraseQueuedEntities()
{
    for (const uint32_t id : exitedQueue) {
        const auto at = std::find(entitiesInVolume.begin(), entitiesInVolume.end(), id);
        if (at != entitiesInVolume.end())
            entitiesInVolume.erase(at);
    }
    exitedQueue.clear();
}

void BoundingVolume::OnEnter(uint32_t entityId)
{
    enteredQueue.push_back(entityId);
    OnEnterAction(entityId);
}

void BoundingVolume::OnExit(uint32_t entityId)
{
    exitedQueue.push_back(entityId);
    OnExitAction(entityId);
}

void BoundingVolume::OnEnterAction(uint32_t entityId)
{
    GameEvent_EnterBoundingVolume event;
    event.volumeId = GetObjectId();
    event.entityId = entityId;
    EventManager::Instance().Send("GameEvent_EnterBoundingVolume", event);
}

void BoundingVolume::OnExitAction(uint32_t entityId)
{
    GameEvent_ExitBoundingVolume event;
    event.volumeId = GetObjectId();
    event.entityId = entityId;
    EventManager::Instance().Send("GameEvent_ExitBoundingVolume", event);
}

ABBox BoundingVolume::GetObjectSpaceBoundingBox() const
{
    return ABBox(Vec3(-radius, -radius, -radius), Vec3(radius, radius, radius));
}

bool BoundingVolume::IsPointInsideVolume(const WorldVec3& point) const
{
    const WorldVec3 centre = GetVolumeCoords().GetPosition();
    Vec3 relative;
    if (!point.GetPositionInRegion(centre.GetRegionId(), relative))
        return false;
    const Vec3 apart = relative - centre.GetRegionPosition();
    return apart.LengthSquared() < radius * radius;
}

Vec3 BoundingVolume::RandomOffset() const
{
    // Drawn in this order, so that a seeded run places its points alike.
    const float x = RandomFloat(-1.0f, 1.0f);
    const float y = RandomFloat(-1.0f, 1.0f);
    const float z = RandomFloat(-1.0f, 1.0f);
    return Vec3(x, y, z) * radius;
}

WorldVec3 BoundingVolume::GetRandomPointInsideVolume() const
{
    WorldVec3 point = GetVolumeCoords().GetPosition();
    point.Translate(RandomOffset());
    return point;
}

WorldVec3 BoundingVolume::GetRandomTerrainPointInsideVolume() const
{
    WorldVec3 point = GetVolumeCoords().GetPosition();
    point.TranslateToFloor(RandomOffset());
    return point;
}

void BoundingVolume::UpdateBoundingBox()
{
    SetRegionBoundingBox(ABBox::FromCenterAndExtents(GetCoords().GetRegionCoords().origin,
                                                     Vec3(radius, radius, radius)));
}

OBBox BoundingVolume::GetCollisionBox(int32_t /*index*/) const
{
    return OBBox(GetRegionBoundingBox().GetExtents(), GetCoords().GetRegionCoords());
}

void BoundingVolume::GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const
{
    PickEditorSphere(GetCoords().GetRegionCoords().origin, radius, ray, out, surface);
}

} // namespace GAME
