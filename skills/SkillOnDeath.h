#pragma once

#include "skills/Skill.h"

namespace GAME {

// Acts when its owner dies.
class SkillOnDeath : public Skill {
    GAME_DECLARE_CLASS(SkillOnDeath)

public:
    SkillOnDeath() = default;
    ~SkillOnDeath() override;
    virtual void ActivateOnDeathNow(Character& /*owner*/) {}
};

} // namespace GAME
