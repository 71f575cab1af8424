#pragma once

#include "skills/Skill_DefensiveWall.h"

namespace GAME {

// The walls ring the point the caster aimed at.
class Skill_DefensiveGround : public Skill_DefensiveWall {
    GAME_DECLARE_CLASS(Skill_DefensiveGround)

public:
    Skill_DefensiveGround();
    ~Skill_DefensiveGround() override;
};

} // namespace GAME
