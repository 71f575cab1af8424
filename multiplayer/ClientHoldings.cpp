#include "multiplayer/ClientHoldings.h"

#include "characters/Character.h"
#include "engine/ConnectionManager.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "world/FixedItemTeleport.h"

namespace GAME {

bool ClientHoldings::Made(int host, uint32_t id)
{
    return id != 0 && ConnectionManager::HostOfId(id) == host;
}

ClientHoldings ClientHoldings::Of(int host)
{
    ClientHoldings held;
    const ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : objects.GetObjectIds()) {
        if (!Made(host, id))
            continue;
        const Object* object = objects.GetObject(id);
        if (DynamicCast<const Item>(object) != nullptr) {
            ++held.items;
        } else if (DynamicCast<const FixedItemTeleport>(object) != nullptr) {
            ++held.portals;
        } else if (const auto* entity = DynamicCast<const Entity>(object)) {
            // A corpse waits to be taken away; it no longer acts.
            const auto* character = DynamicCast<const Character>(entity);
            held.entities += entity->IsInWorld() && (character == nullptr || character->IsAlive());
        }
    }
    return held;
}

} // namespace GAME
