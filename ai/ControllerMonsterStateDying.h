#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Dies, leaves its drops and fires its dying skill; only panic still reaches it.
class ControllerMonsterStateDying : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateDying(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {}
    ~ControllerMonsterStateDying() override = default;

    void OnBegin() override;
    // Entering again would drop the loot twice.
    void CharacterIsDying() override {}
    void BeginStun() override {}
    void BeginImmobilize() override {}
    void BeginTrap() override {}
    bool RespondsToFear() override { return false; }
};

} // namespace GAME
