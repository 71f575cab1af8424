#include "skills/Skill_DefensiveGround.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_DefensiveGround, Skill_DefensiveWall);

Skill_DefensiveGround::Skill_DefensiveGround()
{
    SetSkillType(SkillType_Normal);
}

Skill_DefensiveGround::~Skill_DefensiveGround() = default;

} // namespace GAME
