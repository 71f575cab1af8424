#pragma once

#include "engine/Actor.h"

namespace GAME {

// A spot that wandering non-player characters walk between. So far its class record, which the
// editor's wander groups accept.
class NpcWanderPoint : public Actor {
    GAME_DECLARE_CLASS(NpcWanderPoint)

public:
    NpcWanderPoint() = default;
    ~NpcWanderPoint() override;
};

} // namespace GAME
