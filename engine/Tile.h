#pragma once

#include "engine/Actor.h"

namespace GAME {

// A placed piece of level geometry that game markers derive from.
class Tile : public Actor {
    GAME_DECLARE_CLASS(Tile)

public:
    Tile() = default;
    ~Tile() override;
};

} // namespace GAME
