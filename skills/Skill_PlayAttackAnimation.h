#pragma once

#include "skills/SkillActivated.h"

namespace GAME {

// Only plays an attack animation; usable without being learnt.
class Skill_PlayAttackAnimation : public SkillActivated {
    GAME_DECLARE_CLASS(Skill_PlayAttackAnimation)

public:
    Skill_PlayAttackAnimation();
    ~Skill_PlayAttackAnimation() override;

    uint32_t GetCurrentLevel() const override { return 1; }
    bool StartAction(Character& owner, uint32_t targetId, const WorldVec3& point,
                     uint32_t seed) override;
};

} // namespace GAME
