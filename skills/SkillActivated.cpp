#include "skills/SkillActivated.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillActivated, Skill);

SkillActivated::~SkillActivated() = default;

} // namespace GAME
