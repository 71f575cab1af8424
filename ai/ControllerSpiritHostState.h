#pragma once

#include "ai/ControllerMonsterState.h"

namespace GAME {

class ControllerSpiritHost;

// The host's own states; `SetAnimated` keeps the controller's flag and the statue's level state
// together.
class ControllerSpiritHostState : public ControllerMonsterStateBase {
public:
    explicit ControllerSpiritHostState(ControllerSpiritHost* controller);

protected:
    void SetAnimated(bool value);
    ControllerSpiritHost* GetHost() const { return host; }

private:
    ControllerSpiritHost* host;
};

// Sitting as a statue until a spirit strikes it; a host restored awake goes straight to "Idle".
class ControllerSpiritHostStateStartup : public ControllerSpiritHostState {
public:
    using ControllerSpiritHostState::ControllerSpiritHostState;

    void OnBegin() override;
    void Attacked(uint32_t attackerId) override;
};

// Rising: a monster again, on the monsters' team.
class ControllerSpiritHostStateAnimate : public ControllerSpiritHostState {
public:
    using ControllerSpiritHostState::ControllerSpiritHostState;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
