#include "skills/SkillBuff_BuffImmobilize.h"

#include "characters/Character.h"
#include "combat/CombatAttributeType.h"
#include "combat/DurationDamageManager.h"
#include "core/Saturate.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff_BuffImmobilize, SkillBuff_Passive);

SkillBuff_BuffImmobilize::SkillBuff_BuffImmobilize()
{
    SetDisplayName("^bSkill Buff Immobilize");
    SetDisruptable(false);
}

SkillBuff_BuffImmobilize::~SkillBuff_BuffImmobilize() = default;

void SkillBuff_BuffImmobilize::Update(Character& owner, int32_t elapsedMs)
{
    SkillBuff_Passive::Update(owner, elapsedMs);
    countdown = AddSaturating(countdown, -elapsedMs);
    if (countdown < 1) {
        countdown = interval;
        DurationDamageManager& durations = owner.GetDurationDamageMgr();
        durations.AddFixedDamage(CombatAttributeType_Immobilize, 1.0f, strength);
        durations.EndAttack();
    }
}

} // namespace GAME
