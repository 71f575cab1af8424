#include "engine/Region.h"

#include "engine/DynamicObstacle.h"
#include "engine/Entity.h"
#include "engine/GridRegion.h"
#include "engine/ObjectManager.h"

#include <algorithm>
#include <utility>

namespace GAME {

Region::Region(uint32_t id, const Vec3& offsetFromWorld, const ABBox& bounds)
    : id(id), offset(offsetFromWorld), bounds(bounds)
{}

Region::~Region()
{
    for (DynamicObstacle* obstacle : obstacles) {
        obstacle->attached = false;
        obstacle->region = nullptr;
    }
}

bool Region::ContainsPoint(const Vec3& worldPoint) const
{
    const Vec3 p = GetRelativePosition(worldPoint);
    return HasFloorAt(p) && bounds.min.y <= p.y && p.y <= bounds.max.y;
}

bool Region::HasFloorAt(const Vec3& regionPosition) const
{
    const Vec3& p = regionPosition;
    return bounds.min.x <= p.x && p.x <= bounds.max.x && bounds.min.z <= p.z && p.z <= bounds.max.z;
}

void Region::AddEntity(uint32_t entityId)
{
    if (std::find(entityIds.begin(), entityIds.end(), entityId) == entityIds.end())
        entityIds.push_back(entityId);
}

void Region::RemoveEntity(uint32_t entityId)
{
    std::erase(entityIds, entityId);
}

void Region::Update(int32_t elapsedMs)
{
    // An update may add or remove entities; walk a copy.
    const std::vector<uint32_t> ids = entityIds;
    for (uint32_t entityId : ids) {
        if (Entity* entity = ObjectManager::Instance().GetObject<Entity>(entityId))
            entity->UpdateSelf(elapsedMs);
    }
}

void Region::SetLevel(std::unique_ptr<Level> newLevel)
{
    level = std::move(newLevel);
}

} // namespace GAME
