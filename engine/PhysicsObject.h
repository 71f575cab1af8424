#pragma once

#include <cstdint>

namespace GAME {

// What the physics engine moves an entity by: a single rigid body or a rag doll. The entity
// owns it (`Entity::SetPhysicsObject`).
class PhysicsObject {
public:
    PhysicsObject() = default;
    virtual ~PhysicsObject() = default;
    PhysicsObject(const PhysicsObject&) = delete;
    PhysicsObject& operator=(const PhysicsObject&) = delete;

    // The physics has just taken the entity over.
    virtual void Start() {}
    // One frame of the physics.
    virtual void Update(int32_t /*elapsedMs*/) {}
};

} // namespace GAME
