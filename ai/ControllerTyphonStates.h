#pragma once

#include "ai/ControllerMonsterStateAttack.h"
#include "ai/ControllerMonsterStatePursue.h"

#include <cstdint>

namespace GAME {

// The final boss on its way to the statue it picked.
class ControllerTyphonStatePursueStatue : public ControllerMonsterStatePursue {
public:
    using ControllerMonsterStatePursue::ControllerMonsterStatePursue;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;

private:
    void AttackStatue();
    // Logged; the boss forgets the statue and stands.
    void Fail();
};

// The strike on the statue; the strike itself hands over the god's powers.
class ControllerTyphonStateAttackStatue : public ControllerMonsterStateAttack {
public:
    using ControllerMonsterStateAttack::ControllerMonsterStateAttack;

    void OnUpdate(int32_t elapsedMs) override;
    void HandleEvent(const Name& event) override;
    void OnEnd() override;
};

} // namespace GAME
