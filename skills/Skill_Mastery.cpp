#include "skills/Skill_Mastery.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_Mastery, Skill_Passive);

Skill_Mastery::~Skill_Mastery() = default;

} // namespace GAME
