#include "skills/SkillBuff_DebufFreeze.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeType.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff_DebufFreeze, SkillBuff_DebufTrap);

SkillBuff_DebufFreeze::SkillBuff_DebufFreeze()
{
    SetDisplayName("^bSkill DeBuff Freeze");
}

SkillBuff_DebufFreeze::~SkillBuff_DebufFreeze() = default;

void SkillBuff_DebufFreeze::ApplyBuffDamage(Character& owner)
{
    ApplyFixedDamage(owner, CombatAttributeType_Freeze);
}

float SkillBuff_DebufFreeze::GetResistance(CombatAttributeAccumulator& acc)
{
    return acc.GetTotalDefenseType(CombatAttributeType_Freeze);
}

} // namespace GAME
