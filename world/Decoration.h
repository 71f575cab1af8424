#pragma once

#include "engine/Actor.h"

namespace GAME {

// Level scenery that animates but takes no part in the game. So far its class record, which the
// editor's decoration groups accept.
class Decoration : public Actor {
    GAME_DECLARE_CLASS(Decoration)

public:
    Decoration() = default;
    ~Decoration() override;
};

} // namespace GAME
