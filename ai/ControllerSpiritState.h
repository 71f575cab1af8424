#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

class ControllerSpirit;

// The spirit's own states; each can look for another host to wake.
class ControllerSpiritState : public ControllerMonsterStateBase {
public:
    explicit ControllerSpiritState(ControllerSpirit* controller);

protected:
    // The nearest ally in sight whose host controller can be animated is claimed and becomes the
    // target; false, with the target left as it was, when there is none.
    bool FindNewAnimateTarget();
    ControllerSpirit* GetSpirit() const { return spirit; }
    // The target as a living character, or null after logging `error` and going to "Idle".
    Character* LivingTargetOrIdle(const char* error);
    // "PursueToAnimate" after the target, which becomes the most hated, with its best skill.
    void PursueTarget(uint32_t targetId);

private:
    ControllerSpirit* spirit;
};

// Rising from the ground, invisible, while choosing its host.
class ControllerSpiritStateStartup : public ControllerSpiritState {
public:
    using ControllerSpiritState::ControllerSpiritState;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;
};

// Going to its host; a host another spirit woke first sends it to the next.
class ControllerSpiritStatePursueToAnimate : public ControllerSpiritState {
public:
    using ControllerSpiritState::ControllerSpiritState;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;
};

// The one strike; its end is the spirit's end.
class ControllerSpiritStateAttackToAnimate : public ControllerSpiritState {
public:
    using ControllerSpiritState::ControllerSpiritState;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;
};

// Nothing left to wake.
class ControllerSpiritStateIdle : public ControllerSpiritState {
public:
    using ControllerSpiritState::ControllerSpiritState;

    void OnBegin() override { Idle(); }
};

} // namespace GAME
