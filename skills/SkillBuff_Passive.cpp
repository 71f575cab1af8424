#include "skills/SkillBuff_Passive.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff_Passive, SkillBuff);

SkillBuff_Passive::SkillBuff_Passive()
{
    SetDisplayName("^bSkill Buff Passive");
    SetDisruptable(true);
}

SkillBuff_Passive::~SkillBuff_Passive() = default;

void SkillBuff_Passive::DispelBuff(Character& /*owner*/)
{
    RequestDispel();
}

} // namespace GAME
