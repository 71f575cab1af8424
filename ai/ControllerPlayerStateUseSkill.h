#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Using the skill of the state data. A held button repeats it, at most every 200 ms.
class ControllerPlayerStateUseSkill : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateUseSkill(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStateUseSkill() override = default;

    static constexpr int32_t kRepeatDelay = 200;
    static constexpr float kMovingTargetTolerance = 3.0f;
    static constexpr float kTargetTolerance = 1.0f;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void HandleEvent(const Name& event) override;
    float GetSkillUseTolerance(uint32_t targetId) override;
    bool RequestSkillAction(bool flagA, bool flagB, uint32_t skillId, const WorldVec3& point,
                            uint32_t& target) override;
    void RequestMoveAction(bool flagA, bool flagB, const WorldVec3& point) override;
    int32_t GetRepeatDelay() const { return repeatDelay; }

protected:
    // Where the player goes when the target has vanished.
    virtual const char* GetFallbackState() const { return "Idle"; }

private:
    int32_t repeatDelay = 0;
};

} // namespace GAME
