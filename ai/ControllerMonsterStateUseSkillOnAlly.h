#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Queued: one skill on the ally of the data (a heal, a buff), then done.
class ControllerMonsterStateUseSkillOnAlly : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateUseSkillOnAlly(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateUseSkillOnAlly() override = default;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
