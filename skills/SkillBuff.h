#pragma once

#include "skills/Skill.h"

namespace GAME {

// A skill placed on a character for a while.
class SkillBuff : public Skill {
    GAME_DECLARE_CLASS(SkillBuff)

public:
    SkillBuff() = default;
    ~SkillBuff() override;
};

} // namespace GAME
