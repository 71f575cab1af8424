#pragma once

#include <cstdint>

namespace GAME {

// What the physics engine reports of a contact: whether it was an impact hard enough to be
// heard, and the physics surface code of what was struck.
class CollisionData {
public:
    bool impact = false;
    uint32_t surface = 0;
};

} // namespace GAME
