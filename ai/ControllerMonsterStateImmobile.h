#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Rooted until the effect ends.
class ControllerMonsterStateImmobile : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateImmobile(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStateImmobile() override = default;

    void OnBegin() override { Immobilize(); }
    void EndImmobilize() override;
};

} // namespace GAME
