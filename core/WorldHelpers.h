#pragma once

#include "engine/WorldVec3.h"

#include <vector>

namespace GAME {

class Entity;
class RTTI_ClassInfo;
class UniqueId;

// The entities of that class (or one derived from it) within the sphere, in the centre's
// region of the engine's world; appended to `out`.
void GetEntitiesInSphereOfKind(std::vector<Entity*>& out, const WorldVec3& center, float radius,
                               const RTTI_ClassInfo& kind);
template <typename T>
void GetEntitiesInSphereOfType(std::vector<T*>& out, const WorldVec3& center, float radius)
{
    std::vector<Entity*> found;
    GetEntitiesInSphereOfKind(found, center, radius, T::classInfo);
    for (Entity* entity : found)
        out.push_back(static_cast<T*>(entity));
}

// Where the level placed the entity of this unique id, whether or not it is loaded. False, with
// `out` untouched, when the id is unknown or its region is not in the engine's world.
bool GetInstanceEntityPosition(const UniqueId& id, WorldVec3& out);

// Where the line from `start` along `direction` first meets the sphere, at or ahead of the
// start: a start inside the sphere gives the exit point. Empty (no region) when either position
// has no region or their regions cannot be related, the radius is not above 0, the direction is
// zero, or the line misses or meets the sphere only behind the start.
WorldVec3 GetRaySphereIntersection(const WorldVec3& start, const Vec3& direction,
                                   const WorldVec3& center, float radius);

} // namespace GAME
