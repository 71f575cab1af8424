#pragma once

#include "engine/BoundedLog.h"
#include "engine/Vec3.h"

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

    // Velocities given to bodies, by object id; null is ignored.
    struct VelocityRequest {
        uint32_t objectId = 0;
        Vec3 velocity;
    };
    void SetEntityLinearVelocity(Entity* entity, const Vec3& velocity);
    void SetEntityAngularVelocity(Entity* entity, const Vec3& velocity);
    const BoundedLog<VelocityRequest>& GetLinearVelocities() const { return linearVelocities; }
    const BoundedLog<VelocityRequest>& GetAngularVelocities() const { return angularVelocities; }

    void Reset()
    {
        removedEntities.Clear();
        linearVelocities.Clear();
        angularVelocities.Clear();
    }

private:
    BoundedLog<uint32_t> removedEntities;
    BoundedLog<VelocityRequest> linearVelocities;
    BoundedLog<VelocityRequest> angularVelocities;
};

} // namespace GAME
