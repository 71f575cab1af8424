#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Orders and conditions do nothing here; item use, pet release and relic use go through only
// where `acceptsItemOrders` is set.
class ControllerPlayerStateBlocked : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateBlocked(ControllerPlayer* controller, bool acceptsItemOrders)
        : ControllerPlayerState(controller), acceptsItemOrders(acceptsItemOrders)
    {}
    ~ControllerPlayerStateBlocked() override = default;

    bool RequestSkillAction(bool, bool, uint32_t, const WorldVec3&, uint32_t&) override
    {
        return false;
    }
    void RequestNpcAction(bool, bool, const WorldVec3&, const Npc*) override {}
    void RequestItemAction(bool, bool, const WorldVec3&, const Item*) override {}
    void RequestFixedItemAction(bool, bool, const WorldVec3&, const FixedItem*) override {}
    void RequestStrategicMovementAction(bool, bool, const WorldVec3&,
                                        const StrategicMovementBase*) override
    {}
    void RequestMoveAction(bool, bool, const WorldVec3&) override {}
    void BeginImmobilize() override {}
    void BeginTrap() override {}
    void BeginStun() override {}
    bool RequestUseItem(uint32_t itemId, bool flag) override
    {
        return acceptsItemOrders && DefaultRequestUseItemAction(itemId, flag);
    }
    bool RequestReleasePet(uint32_t petId) override
    {
        return acceptsItemOrders && DefaultRequestReleasePetAction(petId);
    }
    bool RequestUseRelic(uint32_t relicId, uint32_t targetId) override
    {
        return acceptsItemOrders && DefaultRequestUseRelicAction(relicId, targetId);
    }

private:
    bool acceptsItemOrders;
};

} // namespace GAME
