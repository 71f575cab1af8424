#pragma once

#include "world/FixedItemLockLook.h"

#include <cstdint>

namespace GAME {

// An object the quests watch: while locked, a use tells the quest triggers; a quest unlocks it.
class FixedItemQuestObject : public FixedItemLockLook {
    GAME_DECLARE_CLASS(FixedItemQuestObject)

public:
    FixedItemQuestObject() = default;
    ~FixedItemQuestObject() override;

    bool IsOfInterest() override { return IsLocked(); }
    void RequestToUse(uint32_t user) override;

protected:
    void SetOperation(bool instantaneous) override;
};

// The portal after the final boss: once unlocked, the local player is asked whether to go on;
// yes saves, marks the level completed and tells the user interface.
class FixedItemTyphonPortal : public FixedItemLockLook {
    GAME_DECLARE_CLASS(FixedItemTyphonPortal)

public:
    FixedItemTyphonPortal() = default;
    ~FixedItemTyphonPortal() override;

    bool IsOfInterest() override { return !IsLocked(); }
    void RequestToUse(uint32_t user) override;
    void UpdateSelf(int32_t elapsedMs) override;
    WorldVec3 GetMoveToPoint(uint32_t user) override;

    bool IsWaitingForAnswer() const { return waitingForAnswer; }

private:
    bool waitingForAnswer = false;
};

// A well: no states, no interest, no controller.
class FixedItemWell : public FixedItem {
    GAME_DECLARE_CLASS(FixedItemWell)

public:
    FixedItemWell() = default;
    ~FixedItemWell() override;
};

} // namespace GAME
