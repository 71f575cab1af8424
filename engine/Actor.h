#pragma once

#include "engine/Entity.h"

namespace GAME {

// An entity that animates and takes commands.
class Actor : public Entity {
    GAME_DECLARE_CLASS(Actor)

public:
    Actor() = default;
    ~Actor() override;
};

} // namespace GAME
