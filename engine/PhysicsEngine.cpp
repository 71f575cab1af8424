#include "engine/PhysicsEngine.h"

#include "engine/Entity.h"

namespace GAME {

void PhysicsEngine::RemoveEntityFromSimulation(Entity* entity)
{
    if (entity == nullptr)
        return;
    entity->SetSimulationEnabled(false);
    removedEntities.Add(entity->GetObjectId());
}

void PhysicsEngine::SetEntityLinearVelocity(Entity* entity, const Vec3& velocity)
{
    if (entity != nullptr)
        linearVelocities.Add({entity->GetObjectId(), velocity});
}

void PhysicsEngine::SetEntityAngularVelocity(Entity* entity, const Vec3& velocity)
{
    if (entity != nullptr)
        angularVelocities.Add({entity->GetObjectId(), velocity});
}

} // namespace GAME
