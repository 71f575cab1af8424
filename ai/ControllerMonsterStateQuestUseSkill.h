#pragma once

#include "ai/ControllerMonsterStateQuestMove.h"

#include <cstdint>

namespace GAME {

// Uses the skill a quest asked for on its target.
class ControllerMonsterStateQuestUseSkill : public ControllerMonsterStateQuestMove {
public:
    explicit ControllerMonsterStateQuestUseSkill(ControllerMonster* controller)
        : ControllerMonsterStateQuestMove(controller)
    {}
    ~ControllerMonsterStateQuestUseSkill() override = default;

    void OnBegin() override;
    void OnEnd() override { SendAnimationCompleted(); }
    void EndOfPathReached() override {}
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
