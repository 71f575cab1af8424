#include "skills/SkillSecondary.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary, Skill);

SkillSecondary::~SkillSecondary() = default;

} // namespace GAME
