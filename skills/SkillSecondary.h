#pragma once

#include "skills/Skill.h"

namespace GAME {

// Rides on the skill listed before it and becomes the base of the ones after it.
class SkillSecondary : public Skill {
    GAME_DECLARE_CLASS(SkillSecondary)

public:
    SkillSecondary() = default;
    ~SkillSecondary() override;
};

} // namespace GAME
