#pragma once

#include "skills/SkillBuff_Passive.h"

namespace GAME {

// Holds its receiver in place, renewed every interval.
class SkillBuff_BuffImmobilize : public SkillBuff_Passive {
    GAME_DECLARE_CLASS(SkillBuff_BuffImmobilize)

public:
    SkillBuff_BuffImmobilize();
    ~SkillBuff_BuffImmobilize() override;

    void Update(Character& owner, int32_t elapsedMs) override;

private:
    int32_t countdown = 0;
    int32_t interval = 100; // ms
    float strength = 0.25f;
};

} // namespace GAME
