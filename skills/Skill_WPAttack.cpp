#include "skills/Skill_WPAttack.h"

#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_WPAttack, SkillActivated);

Skill_WPAttack::~Skill_WPAttack() = default;

uint32_t Skill_WPAttack::GetChanceWeight(bool includeDisabled) const
{
    if (!IsSkillEnabled() && !includeDisabled)
        return 0;
    return GetSkillProfile().GetChanceWeight(GetCurrentLevel());
}

} // namespace GAME
