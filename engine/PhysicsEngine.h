#pragma once

#include "engine/BoundedLog.h"

#include <cstdint>

namespace GAME {

class Entity;

// The rigid-body simulation. Nothing is simulated here; the engine records which entities it
// was told to drop from the simulation, by object id.
class PhysicsEngine {
public:
    // Null is ignored.
    void RemoveEntityFromSimulation(Entity* entity);
    const BoundedLog<uint32_t>& GetRemovedEntities() const { return removedEntities; }
    void Reset() { removedEntities.Clear(); }

private:
    BoundedLog<uint32_t> removedEntities;
};

} // namespace GAME
