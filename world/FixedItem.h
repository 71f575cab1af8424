#pragma once

#include "engine/Actor.h"

namespace GAME {

// The base of the usable objects that stand in a level and never move: chests, doors, shrines,
// teleporters and the like. So far a class record that look-ups and filters can test.
class FixedItem : public Actor {
    GAME_DECLARE_CLASS(FixedItem)

public:
    FixedItem() = default;
    ~FixedItem() override;
};

} // namespace GAME
