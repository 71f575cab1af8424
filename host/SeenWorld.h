#pragma once

#include "engine/EventHandler.h"
#include "engine/World.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace GAME {

class Entity;
class GameEvent_CreatureDeath;
class GameEvent_GenericEntity;

// What a machine of a network session has seen of its world: each monster and whether it died,
// each item and where it lay when it came. It follows the news, not the world: the entities that
// entered or left the world and the creatures whose death began since it last looked, so that
// looking after every message costs what the message changed, not the world's size.
class SeenWorld final : public World::Watcher {
public:
    struct Seen {
        bool dead = false;
        std::string itemLine;
    };

    // Takes in what already stands in the world, and watches it from then on.
    explicit SeenWorld(World& world);
    ~SeenWorld() override;
    SeenWorld(const SeenWorld&) = delete;
    SeenWorld& operator=(const SeenWorld&) = delete;

    // Prints `monster <id> died` and `item <id> <record> at (x, y, z)` for what is new.
    void Observe(std::ostream& out);
    // What a host gone made is nobody's now.
    void Forget(int host);
    const std::map<uint32_t, Seen>& GetMonsters() const { return monsters; }
    const std::map<uint32_t, Seen>& GetItems() const { return items; }

    void OnEntered(Entity& entity) override;
    void OnLeft(uint32_t id) override;

private:
    void Look(const Entity& entity, std::ostream& out);
    void OnDeath(const GameEvent_CreatureDeath& event);
    void OnStartDeath(const GameEvent_GenericEntity& event);
    void Died(Seen& seen, uint32_t id, std::ostream& out);

    World& world;
    std::map<uint32_t, Seen> monsters;
    std::map<uint32_t, Seen> items;
    // Since the last look: what entered the world, in its order (looked at if it is still there),
    // what left it, and the creatures whose death began.
    std::vector<uint32_t> entered;
    std::vector<uint32_t> left;
    std::vector<uint32_t> dying;
    // Monsters that left the world alive and still exist: gone for good once destroyed.
    std::set<uint32_t> away;
    EventHandler<SeenWorld, GameEvent_CreatureDeath> deathHandler;
    EventHandler<SeenWorld, GameEvent_GenericEntity> startDeathHandler;
};

} // namespace GAME
