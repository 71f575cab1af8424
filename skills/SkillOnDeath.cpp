#include "skills/SkillOnDeath.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillOnDeath, Skill);

SkillOnDeath::~SkillOnDeath() = default;

} // namespace GAME
