#pragma once

#include "engine/Tile.h"

namespace GAME {

// The base of the shrines and markers that move players about the world strategically. So far
// its class record.
class StrategicMovementBase : public Tile {
    GAME_DECLARE_CLASS(StrategicMovementBase)

public:
    StrategicMovementBase() = default;
    ~StrategicMovementBase() override;
};

} // namespace GAME
