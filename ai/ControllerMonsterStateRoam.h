#pragma once

#include "ai/ControllerMonsterState.h"

namespace GAME {

// Strolls from point to point round the spawn point.
class ControllerMonsterStateRoam : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateRoam(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kAllDefaults);
    }
    ~ControllerMonsterStateRoam() override = default;

    // Percent chance to walk on at the end of a stroll.
    static constexpr uint32_t kChanceToRoamOn = 20;

    void OnBegin() override;
    void EndOfPathReached() override;
    bool StartRoaming();
};

} // namespace GAME
