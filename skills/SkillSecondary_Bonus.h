#pragma once

#include "skills/SkillSecondary.h"

namespace GAME {

// Gives the primary's targets life and mana.
class SkillSecondary_Bonus : public SkillSecondary {
    GAME_DECLARE_CLASS(SkillSecondary_Bonus)

public:
    SkillSecondary_Bonus();
    ~SkillSecondary_Bonus() override;

    void ActivateNow(Character& owner, uint32_t target, const std::vector<uint32_t>& targets,
                     const WorldVec3& point) override;
};

} // namespace GAME
