#include "skills/SkillActivatedWeapon.h"

namespace GAME {

SkillActivatedWeapon::~SkillActivatedWeapon() = default;

} // namespace GAME
