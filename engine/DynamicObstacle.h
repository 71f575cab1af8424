#pragma once

#include "engine/OBBox.h"
#include "engine/Sphere.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

struct OBBox;
class Actor;
class Region;

// Something in the way for a moment, such as a character to steer round: a sphere in a region
// that the path finder sees, while attached, as a circle on the floor.
class DynamicObstacle {
public:
    // Null for a null region or a radius that is negative or not a number. The centre is the
    // region's.
    static std::unique_ptr<DynamicObstacle> Create(Region* region, const Sphere& sphere);
    // In the region of that id in the engine's world; null when there is no such region.
    static std::unique_ptr<DynamicObstacle> Create(uint32_t regionId, const Sphere& sphere);
    // Round a collision box (region frame): the sphere through its corners.
    static std::unique_ptr<DynamicObstacle> Create(Region* region, const OBBox& box);
    // The same, in the region of that id in the engine's world.
    static std::unique_ptr<DynamicObstacle> Create(uint32_t regionId, const OBBox& box);
    // One attached obstacle per hit box of the actor's mesh, in the actor's region, from the
    // collision box of that index; the list is emptied first (its obstacles detached).
    static void CreateForHitBoxes(const Actor& actor,
                                  std::vector<std::unique_ptr<DynamicObstacle>>& obstacles);
    // Detaches each and empties the list.
    static void RemoveAll(std::vector<std::unique_ptr<DynamicObstacle>>& obstacles);
    ~DynamicObstacle();
    DynamicObstacle(const DynamicObstacle&) = delete;
    DynamicObstacle& operator=(const DynamicObstacle&) = delete;

    // Both are idempotent; a region that has gone away detaches its obstacles.
    void Attach();
    void Detach();
    bool IsAttached() const { return attached; }
    Region* GetRegion() const { return region; }
    const Sphere& GetSphere() const { return sphere; }

private:
    friend class Region;
    DynamicObstacle(Region* region, const Sphere& sphere) : region(region), sphere(sphere) {}

    Region* region;
    Sphere sphere;
    bool attached = false;
};

} // namespace GAME
