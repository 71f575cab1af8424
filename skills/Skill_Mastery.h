#pragma once

#include "skills/Skill_Passive.h"

namespace GAME {

// Opens a group of skills: the skills listed after it belong to it.
class Skill_Mastery : public Skill_Passive {
    GAME_DECLARE_CLASS(Skill_Mastery)

public:
    Skill_Mastery() = default;
    ~Skill_Mastery() override;
};

} // namespace GAME
