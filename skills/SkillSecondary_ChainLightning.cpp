#include "skills/SkillSecondary_ChainLightning.h"

#include "characters/Character.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary_ChainLightning, SkillSecondary);

SkillSecondary_ChainLightning::SkillSecondary_ChainLightning()
{
    SetDisplayClassText("^bSecondary Skill Chain Lightning");
}

SkillSecondary_ChainLightning::~SkillSecondary_ChainLightning() = default;

void SkillSecondary_ChainLightning::ApplyLink(Character& owner, Character& target, const Link& link)
{
    StrikeLink(owner, target, link);
}

} // namespace GAME
