#pragma once

#include "ai/ControllerMonsterState.h"

namespace GAME {

// A few steps aside between two blows.
class ControllerMonsterStateRepositionForAttack : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateRepositionForAttack(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kSearches | kQuestDefaults);
    }
    ~ControllerMonsterStateRepositionForAttack() override = default;

    static constexpr float kMinRadius = 3.0f;
    static constexpr float kMaxRadius = 5.0f;

    void OnBegin() override;
    void OnEnd() override;
    void EndOfPathReached() override;
};

} // namespace GAME
