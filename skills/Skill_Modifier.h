#pragma once

#include "skills/Skill.h"

namespace GAME {

// Changes the skill it is listed after; may be listed again to attach again.
class Skill_Modifier : public Skill {
    GAME_DECLARE_CLASS(Skill_Modifier)

public:
    Skill_Modifier() = default;
    ~Skill_Modifier() override;
};

} // namespace GAME
