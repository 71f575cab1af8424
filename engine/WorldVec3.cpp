#include "engine/WorldVec3.h"

#include "engine/Engine.h"
#include "engine/Region.h"
#include "engine/World.h"

namespace GAME {

Region* WorldVec3::GetRegion() const
{
    const World* world = gEngine->GetWorld();
    return world != nullptr && HasRegion() ? world->GetRegionById(regionId) : nullptr;
}

bool WorldVec3::GetPositionInRegion(uint32_t otherRegionId, Vec3& out) const
{
    return GetPositionInRegion(otherRegionId, out, gEngine->GetWorld());
}

bool WorldVec3::GetPositionInRegion(uint32_t otherRegionId, Vec3& out, const World* world) const
{
    if (!HasRegion() || otherRegionId == 0)
        return false;
    // Staying inside the region keeps the full precision of region-relative positions.
    if (otherRegionId == regionId) {
        out = position;
        return true;
    }
    if (world == nullptr)
        return false;
    const Region* own = world->GetRegionById(regionId);
    const Region* other = world->GetRegionById(otherRegionId);
    if (own == nullptr || other == nullptr)
        return false;
    out = other->GetRelativePosition(own->GetOffsetFromWorld() + position);
    return true;
}

void WorldVec3::Translate(const Vec3& offset)
{
    position += offset;
    const World* world = gEngine->GetWorld();
    const Region* region = GetRegion();
    if (region == nullptr)
        return;
    const Vec3 worldPoint = region->GetOffsetFromWorld() + position;
    if (region->ContainsPoint(worldPoint))
        return;
    if (const Region* next = world->GetRegionContainingPoint(worldPoint)) {
        regionId = next->GetId();
        position = next->GetRelativePosition(worldPoint);
    }
}

bool WorldVec3::PutOnFloor()
{
    const Region* region = GetRegion();
    if (region == nullptr || !region->HasFloorAt(position))
        return false;
    position.y = region->GetFloorHeight();
    return true;
}

bool WorldVec3::TranslateToFloor(const Vec3& offset)
{
    WorldVec3 moved = *this;
    moved.Translate(offset);
    if (!moved.PutOnFloor())
        return false;
    *this = moved;
    return true;
}

bool WorldVec3::TranslateToFloor(const Vec3& offset, const World& world)
{
    const Region* region = HasRegion() ? world.GetRegionById(regionId) : nullptr;
    if (region == nullptr)
        return false;
    uint32_t movedRegionId = regionId;
    Vec3 moved = position;
    moved += offset;
    const Vec3 worldPoint = region->GetOffsetFromWorld() + moved;
    if (!region->ContainsPoint(worldPoint)) {
        if (const Region* next = world.GetRegionContainingPoint(worldPoint)) {
            region = next;
            movedRegionId = next->GetId();
            moved = next->GetRelativePosition(worldPoint);
        }
    }
    if (!region->HasFloorAt(moved))
        return false;
    moved.y = region->GetFloorHeight();
    regionId = movedRegionId;
    position = moved;
    return true;
}

} // namespace GAME
