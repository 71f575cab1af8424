#pragma once

#include "engine/Object.h"

namespace GAME {

// An object that can be placed in the world.
class Entity : public Object {
    GAME_DECLARE_CLASS(Entity)

public:
    Entity() = default;
    ~Entity() override;

    // Whether a server creates this entity on its clients; scenery stays local.
    virtual bool ShouldServerSpawn() const { return false; }
};

} // namespace GAME
