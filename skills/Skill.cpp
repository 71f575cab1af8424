#include "skills/Skill.h"

namespace GAME {

Skill::~Skill() = default;

} // namespace GAME
