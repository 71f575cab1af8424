#pragma once

#include "ai/ControllerMonsterState.h"

namespace GAME {

// Back to the leader, home or the most hated enemy; this one walks home.
class ControllerMonsterStateReturn : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateReturn(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kAllDefaults);
    }
    ~ControllerMonsterStateReturn() override = default;

    void OnBegin() override;
    void EndOfPathReached() override;

protected:
    virtual bool ShouldWalk() { return true; }
};

} // namespace GAME
