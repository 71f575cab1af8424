#include "engine/DynamicObstacle.h"

#include "engine/Actor.h"
#include "engine/Engine.h"
#include "engine/GraphicsMeshInstance.h"
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
    const World* world = gEngine->GetWorld();
    return Create(world != nullptr ? world->GetRegionById(regionId) : nullptr, box);
}

void DynamicObstacle::CreateForHitBoxes(const Actor& actor,
                                        std::vector<std::unique_ptr<DynamicObstacle>>& obstacles)
{
    RemoveAll(obstacles);
    const GraphicsMeshInstance* mesh = actor.GetMeshInstance();
    Region* region = actor.GetCoords().GetRegion();
    if (mesh == nullptr || region == nullptr)
        return;
    for (int32_t i = 0; i < mesh->GetNumHitBoxes(); ++i) {
        std::unique_ptr<DynamicObstacle> obstacle = Create(region, actor.GetCollisionBox(i));
        if (obstacle == nullptr)
            continue;
        obstacle->Attach();
        obstacles.push_back(std::move(obstacle));
    }
}

void DynamicObstacle::RemoveAll(std::vector<std::unique_ptr<DynamicObstacle>>& obstacles)
{
    for (const std::unique_ptr<DynamicObstacle>& obstacle : obstacles)
        obstacle->Detach();
    obstacles.clear();
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
