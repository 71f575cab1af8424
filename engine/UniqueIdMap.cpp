#include "engine/UniqueIdMap.h"

#include "core/UniqueId.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/FilterFunction.h"
#include "engine/World.h"

#include <vector>

namespace GAME {

Entity* UniqueIdMap::GetEntity(const UniqueId& id)
{
    // Looked up in the world rather than kept in a table of its own, so an entity that left
    // the world or was destroyed can never be answered.
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (world == nullptr || id.IsZero())
        return nullptr;
    struct HasId : FilterFunction<Entity> {
        explicit HasId(const UniqueId& id) : id(id) {}
        bool operator()(const Entity* candidate) const override
        {
            return candidate != nullptr && candidate->GetUniqueID() == id;
        }
        const UniqueId& id;
    };
    std::vector<Entity*> found;
    world->GetEntities(found, HasId(id));
    return found.empty() ? nullptr : found.front();
}

} // namespace GAME
