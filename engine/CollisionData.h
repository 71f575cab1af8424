#pragma once

#include <cstdint>

namespace GAME {

// What the physics engine reports of a contact: whether it was an impact hard enough to be
// heard, and the physics surface code of what was struck.
class CollisionData {
public:
    // The surface code of an entity struck, rather than the floor or level geometry.
    static constexpr uint32_t kSurfaceEntity = 7;

    bool impact = false;
    uint32_t surface = 0;
};

} // namespace GAME
