#pragma once

#include "core/UniqueId.h"
#include "engine/Object.h"
#include "engine/WorldCoords.h"

namespace GAME {

class World;

// An object that can be placed in the world.
class Entity : public Object {
    GAME_DECLARE_CLASS(Entity)

public:
    Entity() = default;
    ~Entity() override;

    // Whether a server creates this entity on its clients; scenery stays local.
    virtual bool ShouldServerSpawn() const { return false; }

    // Where the entity stands, or last stood; written by the world (`World::AddEntity`,
    // `World::SetCoords`).
    const WorldCoords& GetCoords() const { return coords; }
    virtual bool IsInWorld() const { return world != nullptr; }

    // Zero until the level gives the entity one or `EnsureUniqueID` makes one.
    const UniqueId& GetUniqueID() const { return uniqueId; }
    void SetUniqueID(const UniqueId& id) { uniqueId = id; }
    void EnsureUniqueID();

private:
    friend class World;
    World* world = nullptr;
    WorldCoords coords;
    UniqueId uniqueId;
};

} // namespace GAME
