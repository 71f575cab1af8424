#pragma once

#include "skills/Skill_BuffSelfDuration.h"

namespace GAME {

// A timed self buff that roots its owner: short immobilizing pieces renewed while it is on.
class Skill_BuffSelfImmobilize : public Skill_BuffSelfDuration {
    GAME_DECLARE_CLASS(Skill_BuffSelfImmobilize)

public:
    Skill_BuffSelfImmobilize();
    ~Skill_BuffSelfImmobilize() override;

    void Update(Character& owner, int32_t elapsedMs) override;

private:
    int32_t immobilizeCountdown = 0;
    int32_t immobilizeInterval = 100;
    float immobilizeDuration = 0.25f;
};

} // namespace GAME
