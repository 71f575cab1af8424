#include "engine/Entity.h"

#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Entity, Object);

// The world's grid holds plain pointers; a deleted entity must not stay in it.
Entity::~Entity()
{
    if (world != nullptr)
        world->RemoveEntity(this);
}

void Entity::EnsureUniqueID()
{
    if (uniqueId.IsZero())
        uniqueId.Generate();
}

} // namespace GAME
