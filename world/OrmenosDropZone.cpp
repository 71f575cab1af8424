#include "world/OrmenosDropZone.h"

#include "engine/Engine.h"
#include "engine/Intersection.h"
#include "engine/LoadTable.h"
#include "engine/Ray.h"
#include "engine/Sphere.h"

#include <limits>

namespace GAME {

GAME_IMPLEMENT_CLASS(OrmenosDropZone, Actor);

OrmenosDropZone::OrmenosDropZone()
{
    SetVisibility(false);
}

OrmenosDropZone::~OrmenosDropZone() = default;

void OrmenosDropZone::Load(const LoadTable& table)
{
    Actor::Load(table);
    radius = table.GetFloat("radius", 1.0f);
}

void OrmenosDropZone::InitialUpdate()
{
    Actor::InitialUpdate();
    if (!gEngine->IsLevelEditor())
        return;
    SetVisibility(true);
    SetScale(radius);
}

void OrmenosDropZone::GetIntersection(const Ray& ray, Intersection& out, int32_t /*surface*/) const
{
    out.distance = std::numeric_limits<float>::max();
    if (!gEngine->IsLevelEditor())
        return;
    const float distance =
        Sphere::IntersectRay(Sphere(GetCoords().GetRegionCoords().origin, radius), ray);
    if (distance == gPositiveInfinity)
        return;
    out.distance = distance;
    out.point = ray.GetPoint(distance);
}

} // namespace GAME
