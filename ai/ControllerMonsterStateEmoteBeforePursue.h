#pragma once

#include "ai/ControllerMonsterState.h"

namespace GAME {

// A taunt before the chase.
class ControllerMonsterStateEmoteBeforePursue : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateEmoteBeforePursue(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateEmoteBeforePursue() override = default;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
