#include "engine/Sphere.h"

#include "engine/Ray.h"

namespace GAME {

float Sphere::IntersectRay(const Sphere& sphere, const Ray& ray)
{
    const Vec3 toCenter = sphere.center - ray.origin;
    const float along = Dot(toCenter, ray.direction);
    const float distanceSquared = toCenter.LengthSquared();
    const float radiusSquared = sphere.radius * sphere.radius;
    if (along < 0.0f && distanceSquared > radiusSquared)
        return gPositiveInfinity;
    if (distanceSquared < radiusSquared)
        return 0.0f;
    const float missSquared = distanceSquared - along * along;
    if (missSquared > radiusSquared)
        return gPositiveInfinity;
    const float halfChord = Sqrt(radiusSquared - missSquared);
    // Starting on the surface, the near crossing is the start itself; the far one is wanted.
    if (distanceSquared == radiusSquared)
        return along + halfChord;
    return along - halfChord;
}

} // namespace GAME
