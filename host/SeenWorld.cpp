#include "host/SeenWorld.h"

#include "characters/Monster.h"
#include "core/GameEvents.h"
#include "engine/ConnectionManager.h"
#include "engine/FilterFunction.h"
#include "engine/ObjectManager.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"

#include <algorithm>
#include <ostream>

namespace GAME {

namespace {
class Everything final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* /*candidate*/) const override { return true; }
};
} // namespace

SeenWorld::SeenWorld(World& world)
    : world(world), deathHandler("GameEvent_CreatureDeath", &SeenWorld::OnDeath, this),
      startDeathHandler("GameEvent_CreatureStartDeath", &SeenWorld::OnStartDeath, this)
{
    std::vector<Entity*> standing;
    world.GetEntities(standing, Everything());
    for (const Entity* entity : standing)
        entered.push_back(entity->GetObjectId());
    world.SetWatcher(this);
}

SeenWorld::~SeenWorld()
{
    world.SetWatcher(nullptr);
}

void SeenWorld::OnEntered(Entity& entity)
{
    entered.push_back(entity.GetObjectId());
}

// Whatever else entered meanwhile: what entered and left again is passed over at the look.
void SeenWorld::OnLeft(uint32_t id)
{
    left.push_back(id);
}

void SeenWorld::OnDeath(const GameEvent_CreatureDeath& event)
{
    dying.push_back(event.victimId);
}

// The server's death begins before the game's death event.
void SeenWorld::OnStartDeath(const GameEvent_GenericEntity& event)
{
    dying.push_back(event.objectId);
}

// A creature's death, and anything entering the world, raise news; what leaves it alive has died
// for good only once it is destroyed, which raises none, so those are asked again each look.
void SeenWorld::Observe(std::ostream& out)
{
    for (uint32_t id : entered)
        if (const Entity* entity = ObjectManager::Instance().GetObject<Entity>(id);
            entity != nullptr && world.Holds(*entity))
            Look(*entity, out);
    entered.clear();
    std::sort(dying.begin(), dying.end());
    for (uint32_t id : dying)
        if (const auto* monster = ObjectManager::Instance().GetObject<Monster>(id);
            monster != nullptr && world.Holds(*monster))
            Look(*monster, out);
    dying.clear();
    for (uint32_t id : left)
        if (const auto seen = monsters.find(id); seen != monsters.end() && !seen->second.dead)
            away.insert(id);
    left.clear();
    for (auto it = away.begin(); it != away.end();) {
        const Entity* entity = ObjectManager::Instance().GetObject<Entity>(*it);
        const auto seen = monsters.find(*it);
        if (seen != monsters.end() && entity == nullptr)
            Died(seen->second, *it, out);
        it =
            seen == monsters.end() || seen->second.dead || entity == nullptr || world.Holds(*entity)
                ? away.erase(it)
                : std::next(it);
    }
}

void SeenWorld::Look(const Entity& entity, std::ostream& out)
{
    const uint32_t id = entity.GetObjectId();
    if (const auto* monster = DynamicCast<const Monster>(&entity)) {
        if (Seen& seen = monsters[id]; !monster->IsAlive())
            Died(seen, id, out);
    } else if (const auto* item = DynamicCast<const Item>(&entity)) {
        Seen& seen = items[id];
        if (!seen.itemLine.empty())
            return;
        ItemReplicaInfo replica;
        item->GetItemReplicaInfo(replica);
        seen.itemLine =
            "item " + std::to_string(id) + " " + ShownName(replica.baseName) + " at " +
            HostSamples::PointText(entity.GetCoords().GetPosition().GetRegionPosition());
        out << seen.itemLine << std::endl;
    }
}

void SeenWorld::Died(Seen& seen, uint32_t id, std::ostream& out)
{
    if (seen.dead)
        return;
    seen.dead = true;
    out << "monster " << id << " died" << std::endl;
}

void SeenWorld::Forget(int host)
{
    const auto ofHost = [host](const auto& entry) {
        return ConnectionManager::HostOfId(entry.first) == host;
    };
    std::erase_if(monsters, ofHost);
    std::erase_if(items, ofHost);
    std::erase_if(away, [host](uint32_t id) { return ConnectionManager::HostOfId(id) == host; });
}

} // namespace GAME
