#pragma once

#include "ai/ControllerMonsterStateAttack.h"

namespace GAME {

// A monster's attack that does not let the end of the cast animation cut a telekinesis short:
// the hurled objects are still in the air when the animation ends.
class ControllerOrmenosStateAttack : public ControllerMonsterStateAttack {
public:
    explicit ControllerOrmenosStateAttack(ControllerMonster* controller)
        : ControllerMonsterStateAttack(controller)
    {}
    ~ControllerOrmenosStateAttack() override = default;

    void HandleEvent(const Name& event) override;
};

} // namespace GAME
