#include "skills/SkillBuff_PassiveShield.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff_PassiveShield, SkillBuff_Passive);

SkillBuff_PassiveShield::SkillBuff_PassiveShield()
{
    SetDisplayName("^bSkill Buff Passive Shield");
}

SkillBuff_PassiveShield::~SkillBuff_PassiveShield() = default;

void SkillBuff_PassiveShield::InitializeBuff()
{
    SkillBuff_Passive::InitializeBuff();
    shieldLeft = GetDamageAbsorption();
}

float SkillBuff_PassiveShield::ModifyDamage(float damage, CombatAttributeType type)
{
    const float result = SkillBuff_Passive::ModifyDamage(damage, type);
    shieldLeft -= damage - result;
    // The next update expires it, so only the controlling machine's removal takes it down.
    if (shieldLeft <= 0.0f)
        ExpireNow();
    return result;
}

} // namespace GAME
