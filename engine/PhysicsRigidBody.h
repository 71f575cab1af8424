#pragma once

#include "engine/PhysicsObject.h"

namespace GAME {

class Entity;

// An entity moved by the physics as one solid body. Nothing is simulated here; it only names
// the entity it belongs to.
class PhysicsRigidBody : public PhysicsObject {
public:
    explicit PhysicsRigidBody(Entity* entity) : entity(entity) {}
    ~PhysicsRigidBody() override = default;

    Entity* GetEntity() const { return entity; }

private:
    Entity* entity;
};

} // namespace GAME
