#pragma once

#include "world/FixedItem.h"
#include "world/FixedItemLook.h"

namespace GAME {

// What the teleporters, the quest object and the end portal share: no states, and a look that
// follows the lock, closed while locked and open once unlocked. Not a class of its own in the
// class tree: the kinds stand directly under the fixed item there.
class FixedItemLockLook : public FixedItem {
public:
    FixedItemLockLook() = default;
    ~FixedItemLockLook() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    void SetLock(bool lock) override;

protected:
    FixedItemLook& GetLockLook() { return IsLocked() ? closedLook : openLook; }
    // The look plays once; unless instantaneous it is heard and shown too.
    virtual void SetOperation(bool instantaneous);

private:
    FixedItemLook closedLook;
    FixedItemLook openLook;
};

} // namespace GAME
