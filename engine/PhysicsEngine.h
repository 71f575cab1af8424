#pragma once

#include "engine/BoundedLog.h"
#include "engine/Vec3.h"

#include <cstdint>
#include <functional>

namespace GAME {

class Actor;
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

    // One step of a body in flight (physics type 2): gravity when on, the move, then the first
    // contact with the floor or with an entity the body may strike, which bounces the body,
    // loses it speed and is reported to its `CollisionCallback`. A body too slow after a bounce
    // comes to rest: its simulation ends. The velocity is the body's, in units per second.
    void StepBody(Actor& body, Vec3& velocity, bool gravity, int32_t elapsedMs,
                  const std::function<bool(const Entity*)>& canCollide);

    // Every contact `StepBody` reported, by object id and surface code.
    struct Contact {
        uint32_t objectId = 0;
        uint32_t surface = 0;
    };
    const BoundedLog<Contact>& GetContacts() const { return contacts; }

    void Reset()
    {
        contacts.Clear();
        removedEntities.Clear();
        linearVelocities.Clear();
        angularVelocities.Clear();
    }

private:
    BoundedLog<uint32_t> removedEntities;
    BoundedLog<VelocityRequest> linearVelocities;
    BoundedLog<VelocityRequest> angularVelocities;
    BoundedLog<Contact> contacts;
};

} // namespace GAME
