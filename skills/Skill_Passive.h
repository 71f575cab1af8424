#pragma once

#include "skills/Skill.h"

namespace GAME {

// A skill that only adds to its owner while learnt.
class Skill_Passive : public Skill {
    GAME_DECLARE_CLASS(Skill_Passive)

public:
    Skill_Passive() = default;
    ~Skill_Passive() override;
};

} // namespace GAME
