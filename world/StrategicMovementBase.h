#pragma once

#include "engine/Tile.h"
#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

// The base of the shrines and markers that move players about the world strategically. So far
// its class record and what a character's use action asks of it.
class StrategicMovementBase : public Tile {
    GAME_DECLARE_CLASS(StrategicMovementBase)

public:
    StrategicMovementBase() = default;
    ~StrategicMovementBase() override;

    // Virtual operations, in the order of their slots (those not yet built left out).
    // Where a character stands to use the object: its own position.
    virtual WorldVec3 GetMoveToPoint(uint32_t user);
    // Only the shrines react to a use.
    virtual void RequestToUse(uint32_t /*user*/) {}
};

} // namespace GAME
