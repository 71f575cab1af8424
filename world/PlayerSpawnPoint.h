#pragma once

#include "engine/Actor.h"

namespace GAME {

// Where players enter a level. Grown by the world objects subsystem; for now a class record that
// filters can test.
class PlayerSpawnPoint : public Actor {
    GAME_DECLARE_CLASS(PlayerSpawnPoint)

public:
    PlayerSpawnPoint() = default;
    ~PlayerSpawnPoint() override;
};

} // namespace GAME
