#include "engine/DynamicObstacle.h"

#include "engine/Engine.h"
#include "engine/OBBox.h"
#include "engine/Region.h"
#include "engine/World.h"

#include <algorithm>

namespace GAME {

std::unique_ptr<DynamicObstacle> DynamicObstacle::Create(Region* region, const Sphere& sphere)
{
    const Vec3& center = sphere.center;
    if (region == nullptr || !(sphere.radius >= 0.0f) || !IsFinite(sphere.radius) ||
        !IsFinite(center.x) || !IsFinite(center.y) || !IsFinite(center.z))
        return nullptr;
    return std::unique_ptr<DynamicObstacle>(new DynamicObstacle(region, sphere));
}

std::unique_ptr<DynamicObstacle> DynamicObstacle::Create(Region* region, const OBBox& box)
{
    return Create(region, Sphere(box.coords.origin, box.extents.Length()));
}

std::unique_ptr<DynamicObstacle> DynamicObstacle::Create(uint32_t regionId, const Sphere& sphere)
{
    const World* world = gEngine->GetWorld();
    return Create(world != nullptr ? world->GetRegionById(regionId) : nullptr, sphere);
}

std::unique_ptr<DynamicObstacle> DynamicObstacle::Create(uint32_t regionId, const OBBox& box)
{
    return Create(regionId, Sphere(box.coords.origin, box.extents.Length()));
}

DynamicObstacle::~DynamicObstacle()
{
    Detach();
}

void DynamicObstacle::Attach()
{
    if (attached || region == nullptr)
        return;
    region->obstacles.push_back(this);
    attached = true;
}

void DynamicObstacle::Detach()
{
    if (!attached)
        return;
    auto& list = region->obstacles;
    list.erase(std::find(list.begin(), list.end(), this));
    attached = false;
}

} // namespace GAME
