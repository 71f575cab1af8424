#pragma once

namespace GAME {

class Entity;
class UniqueId;

// Finds level entities (patrol and wander points, markers) by the unique id the level gave
// them. Only entities placed in the engine's world are found.
class UniqueIdMap {
public:
    // Null for the zero id, for no world, or when no entity in the world carries the id.
    static Entity* GetEntity(const UniqueId& id);
};

} // namespace GAME
