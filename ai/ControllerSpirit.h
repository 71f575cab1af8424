#pragma once

#include "ai/ControllerMonster.h"

#include <cstdint>

namespace GAME {

// A short-lived monster that seeks the nearest dormant host among its allies, strikes it awake
// and then kills itself.
class ControllerSpirit : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerSpirit)

public:
    ControllerSpirit() = default;
    ~ControllerSpirit() override;

    // A host is struck with the fifth special attack; anything else gets the usual choice.
    uint32_t ChooseBestSkillOverride(uint32_t targetId, bool check) override;

    uint32_t GetAnimateTarget() const { return animateTarget; }
    void SetAnimateTarget(uint32_t id) { animateTarget = id; }

protected:
    void RegisterStates() override;

private:
    uint32_t animateTarget = 0;
};

} // namespace GAME
