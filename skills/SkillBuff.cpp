#include "skills/SkillBuff.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff, Skill);

SkillBuff::~SkillBuff() = default;

} // namespace GAME
