#include "skills/Skill_Passive.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_Passive, Skill);

Skill_Passive::~Skill_Passive() = default;

} // namespace GAME
