#pragma once

#include "skills/SkillActivatedWeapon.h"

namespace GAME {

// One attack of a weapon pool, drawn by its chance weight.
class Skill_WPAttack : public SkillActivatedWeapon {
    GAME_DECLARE_CLASS(Skill_WPAttack)

public:
    Skill_WPAttack() = default;
    ~Skill_WPAttack() override;
    // 0 for a disabled skill unless asked to include it.
    uint32_t GetChanceWeight(bool includeDisabled) const override;
};

} // namespace GAME
