#include "skills/Skill_Modifier.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_Modifier, Skill);

Skill_Modifier::~Skill_Modifier() = default;

} // namespace GAME
