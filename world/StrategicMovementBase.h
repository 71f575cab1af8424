#pragma once

#include "core/UniqueId.h"
#include "engine/Tile.h"
#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

class Player;

enum StrategicMovementBaseState : int32_t {
    StrategicMovementUndetermined = 0,
    StrategicMovementEditor = 1,
    StrategicMovementNotOnMap = 2,
    StrategicMovementDormant = 3,
    StrategicMovementActive = 4
};

// The base of the shrines and markers that move players about the world strategically. So far
// its class record, what a character's use action asks of it and what the player discovered.
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
    // What the local player's discoveries make of the object; undetermined without a player.
    virtual StrategicMovementBaseState DetermineStateFromPlayer()
    {
        return StrategicMovementUndetermined;
    }
    // The player came near: records the discovery; true when the object turns active.
    virtual bool InstallOnPlayerProximity(Player* /*player*/) { return false; }

protected:
    // The local player's object, or null.
    static Player* GetLocalPlayer();
    // Active when the local player knows the object, dormant when not.
    static StrategicMovementBaseState StateFromPlayer(bool (Player::*knows)(const UniqueId&) const,
                                                      const UniqueId& id);
};

} // namespace GAME
