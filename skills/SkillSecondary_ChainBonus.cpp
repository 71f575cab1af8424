#include "skills/SkillSecondary_ChainBonus.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary_ChainBonus, SkillSecondary);

SkillSecondary_ChainBonus::SkillSecondary_ChainBonus()
{
    SetDisplayClassText("^bSecondary Skill Chain Bonus");
}

SkillSecondary_ChainBonus::~SkillSecondary_ChainBonus() = default;

void SkillSecondary_ChainBonus::ApplyLink(Character& /*owner*/, Character& target,
                                          const Link& /*link*/)
{
    target.TakeBonus(LevelBonus(*this), false, PlayStatsLife_Unknown);
}

} // namespace GAME
