#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// The corpse: its treasure pool, if any, joins the world where it fell.
class ControllerMonsterStateDead : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateDead(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {}
    ~ControllerMonsterStateDead() override = default;

    void OnBegin() override;
    // Entering again would add the pool twice or drop the loot again.
    void CharacterIsDying() override {}
    void CharacterIsDead() override {}
    void BeginStun() override {}
    void BeginImmobilize() override {}
    void BeginTrap() override {}
    bool RespondsToFear() override { return false; }
};

} // namespace GAME
