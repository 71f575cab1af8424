#include "engine/PhysicsEngine.h"

#include "engine/Entity.h"

namespace GAME {

void PhysicsEngine::RemoveEntityFromSimulation(Entity* entity)
{
    if (entity != nullptr)
        removedEntities.Add(entity->GetObjectId());
}

} // namespace GAME
