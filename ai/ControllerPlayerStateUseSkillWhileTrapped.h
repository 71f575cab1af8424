#pragma once

#include "ai/ControllerPlayerStateUseSkill.h"

#include <cstdint>

namespace GAME {

// A skill used from inside a trap; when it ends the player is trapped again.
class ControllerPlayerStateUseSkillWhileTrapped : public ControllerPlayerStateUseSkill {
public:
    explicit ControllerPlayerStateUseSkillWhileTrapped(ControllerPlayer* controller)
        : ControllerPlayerStateUseSkill(controller)
    {}
    ~ControllerPlayerStateUseSkillWhileTrapped() override = default;

    void HandleEvent(const Name& event) override;
    void EndTrap() override;
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

protected:
    const char* GetFallbackState() const override { return "Trapped"; }
};

} // namespace GAME
