#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Runs straight away from the enemy of the data, again and again.
class ControllerMonsterStatePanic : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStatePanic(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kQuestDefaults);
    }
    ~ControllerMonsterStatePanic() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;

    // How far one run goes.
    static constexpr float kRunDistance = 24.0f;

    // The unit direction from `from` to `self`, in `self`'s region; zero when the two points
    // coincide or cannot be related.
    static Vec3 DirectionAwayFrom(const WorldVec3& from, const WorldVec3& self);

protected:
    // False when there is nothing to run from or the point cannot be reached.
    bool RunAway();

private:
    bool startingRun = false;
    bool runPending = false;
};

} // namespace GAME
