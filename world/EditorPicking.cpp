#include "world/EditorPicking.h"

#include "engine/Engine.h"
#include "engine/Intersection.h"
#include "engine/Ray.h"
#include "engine/Sphere.h"

namespace GAME {

void PickEditorSphere(const Vec3& center, float radius, const Ray& ray, Intersection& out,
                      int32_t surface)
{
    out.distance = gPositiveInfinity;
    if (surface == 0 || !gEngine->IsLevelEditor())
        return;
    out.distance = Sphere::IntersectRay(Sphere(center, radius), ray);
    if (out.IsHit()) {
        out.point = ray.GetPoint(out.distance);
        out.surface = 0;
    }
}

} // namespace GAME
