#include "core/WorldHelpers.h"

#include "core/UniqueId.h"
#include "engine/Engine.h"
#include "engine/InstanceGroupManager.h"
#include "engine/World.h"

namespace GAME {

void GetEntitiesInSphereOfKind(std::vector<Entity*>& out, const WorldVec3& center, float radius,
                               const RTTI_ClassInfo& kind)
{
    const World* world = gEngine->GetWorld();
    if (world != nullptr)
        world->GetEntitiesInSphere(out, center.GetRegion(), center.GetRegionPosition(), radius,
                                   kind);
}

bool GetInstanceEntityPosition(const UniqueId& id, WorldVec3& out)
{
    InstanceGroupManager::EntityData data;
    if (!InstanceGroupManager::Instance().GetEntityData(id, data))
        return false;
    const World* world = gEngine->GetWorld();
    if (world == nullptr || world->GetRegionById(data.regionId) == nullptr)
        return false;
    out = WorldVec3(data.regionId, data.position);
    return true;
}

WorldVec3 GetRaySphereIntersection(const WorldVec3& start, const Vec3& direction,
                                   const WorldVec3& center, float radius)
{
    const float a = direction.LengthSquared();
    Vec3 localCenter;
    if (!(radius > 0.0f) || !(a > 0.0f) ||
        !center.GetPositionInRegion(start.GetRegionId(), localCenter))
        return WorldVec3();
    // |m + t d|^2 = r^2 with m = start - centre, solved with the halved linear term.
    const Vec3 m = start.GetRegionPosition() - localCenter;
    const float halfB = Dot(m, direction);
    const float c = m.LengthSquared() - radius * radius;
    const float discriminant = halfB * halfB - a * c;
    if (discriminant < 0.0f)
        return WorldVec3();
    const float root = Sqrt(discriminant);
    float t = (-halfB - root) / a;
    if (t < 0.0f)
        t = (-halfB + root) / a;
    if (t < 0.0f)
        return WorldVec3();
    return WorldVec3(start.GetRegionId(), start.GetRegionPosition() + direction * t);
}

} // namespace GAME
