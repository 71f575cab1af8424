#include "skills/SkillActivatedWeaponPool.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillActivatedWeaponPool, SkillActivated);

SkillActivatedWeaponPool::~SkillActivatedWeaponPool() = default;

} // namespace GAME
