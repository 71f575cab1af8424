#pragma once

#include "engine/Actor.h"

namespace GAME {

// A spawn pool placed by the level designer; it brings monsters into the level when the player
// comes near. So far its class record, which the editor groups of spawn pools accept.
class Proxy : public Actor {
    GAME_DECLARE_CLASS(Proxy)

public:
    Proxy() = default;
    ~Proxy() override;
};

} // namespace GAME
