#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Queued: one skill on the point of the data, then done.
class ControllerMonsterStateUseSkillOnPoint : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateUseSkillOnPoint(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateUseSkillOnPoint() override = default;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
