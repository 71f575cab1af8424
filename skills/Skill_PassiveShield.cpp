#include "skills/Skill_PassiveShield.h"

#include "core/GameLog.h"
#include "core/Helpers.h"
#include "engine/Engine.h"
#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_PassiveShield, Skill_Passive);

Skill_PassiveShield::~Skill_PassiveShield() = default;

float Skill_PassiveShield::ModifyDamage(float damage, CombatAttributeType type)
{
    if (!IsSkillEnabled())
        return damage;
    return FilterDamage(GetSkillProfile(), damage, type, absorption, absorptionPercent);
}

bool Skill_PassiveShield::ProvidesInvulnerability(const std::vector<std::string>& /*races*/) const
{
    return false;
}

float Skill_PassiveShield::FilterDamage(const SkillProfile& profile, float damage,
                                        CombatAttributeType type, float absorption,
                                        float absorptionPercent)
{
    if (!profile.IsQualifyingDamage(type))
        return damage;
    float remaining = damage;
    if (absorptionPercent > 0.0f) {
        remaining = damage - absorptionPercent * 0.01f * damage;
        gEngine->LogCategory(
            gLogCombat, 0, "^bShield: Reduced (%f) Damage by (%f%%) percent, remaining damage (%f)",
            damage, absorptionPercent, remaining);
    }
    if (absorption <= 0.0f)
        return remaining;
    const float absorbed = Min(remaining, absorption);
    gEngine->LogCategory(gLogCombat, 0,
                         "^bShield: Absorbed (%f) of (%f) damage, max absorption (%f)", absorbed,
                         remaining, absorption);
    return remaining - absorbed;
}

} // namespace GAME
