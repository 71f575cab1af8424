#pragma once

#include "ai/ControllerMonsterStatePursue.h"

#include <cstdint>

namespace GAME {

// Straight at the enemy while something blocks the line of sight; the pursuit's answers hold.
class ControllerMonsterStateNavigateObstacle : public ControllerMonsterStatePursue {
public:
    explicit ControllerMonsterStateNavigateObstacle(ControllerMonster* controller)
        : ControllerMonsterStatePursue(controller)
    {
        Answer(kSearches | kQuestDefaults);
    }
    ~ControllerMonsterStateNavigateObstacle() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
};

} // namespace GAME
