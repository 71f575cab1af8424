#pragma once

#include "ai/ControllerMonsterStateQuestMove.h"

#include <cstdint>

namespace GAME {

// Plays the animation a quest asked for.
class ControllerMonsterStateQuestPlayAnimation : public ControllerMonsterStateQuestMove {
public:
    explicit ControllerMonsterStateQuestPlayAnimation(ControllerMonster* controller)
        : ControllerMonsterStateQuestMove(controller)
    {}
    ~ControllerMonsterStateQuestPlayAnimation() override = default;

    void OnBegin() override;
    void OnEnd() override { SendAnimationCompleted(); }
    void EndOfPathReached() override {}
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
