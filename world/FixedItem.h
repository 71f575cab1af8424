#pragma once

#include "engine/Actor.h"
#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

// The base of the usable objects that stand in a level and never move: chests, doors, shrines,
// teleporters and the like. So far its class record and what a character's use action asks of
// it; the controller, the lock and the mesh come with the fixed item's own work.
class FixedItem : public Actor {
    GAME_DECLARE_CLASS(FixedItem)

public:
    FixedItem() = default;
    ~FixedItem() override;

    // Virtual operations, in the order of their slots (those not yet built left out).
    // A character asks to use the item; nothing reacts to it yet.
    virtual void RequestToUse(uint32_t /*user*/) {}
    // Where a character stands to use the item: so far the item's own position.
    virtual WorldVec3 GetMoveToPoint(uint32_t user);
    // A locked item refuses its users.
    virtual void SetLock(bool lock) { locked = lock; }
    bool IsLocked() const { return locked; }
    // Whether the character may use the item; every character may, unless a kind says otherwise.
    virtual bool CanIUse(uint32_t /*user*/) { return true; }
    // How much farther than its own size a character may stand and still use the item.
    virtual float GetExtraReach() { return 1.0f; }
    // The level of the spawn pool that placed the item.
    void SetProxyLevel(uint32_t level) { proxyLevel = level; }
    uint32_t GetProxyLevel() const { return proxyLevel; }

private:
    bool locked = false;
    uint32_t proxyLevel = 0;
};

} // namespace GAME
