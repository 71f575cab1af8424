#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// The first state: the spawn animation, if the monster has one, then "Idle" with the initial
// skill queued.
class ControllerMonsterStateStartup : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateStartup(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {}
    ~ControllerMonsterStateStartup() override = default;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;

private:
    void GoIdle();

    bool played = false;
};

} // namespace GAME
