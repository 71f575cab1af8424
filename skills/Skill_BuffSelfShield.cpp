#include "skills/Skill_BuffSelfShield.h"

#include "core/GameLog.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffSelfShield, Skill_BuffSelfToggled);

Skill_BuffSelfShield::Skill_BuffSelfShield() = default;

Skill_BuffSelfShield::~Skill_BuffSelfShield() = default;

void Skill_BuffSelfShield::Update(Character& owner, int32_t elapsedMs)
{
    Skill_BuffSelfToggled::Update(owner, elapsedMs);
    if (IsControllingSkill() && toggledOn && absorption <= 0.0f) {
        toggledOn = false;
        SendActiveState(false);
    }
}

bool Skill_BuffSelfShield::TrackableTimed(uint32_t /*level*/) const
{
    return true;
}

int32_t Skill_BuffSelfShield::TrackableRemainingTime(uint32_t /*level*/) const
{
    return SaturateToInt(static_cast<double>(absorption));
}

int32_t Skill_BuffSelfShield::TrackableTotalTime(uint32_t /*level*/) const
{
    return SaturateToInt(static_cast<double>(absorptionTotal));
}

bool Skill_BuffSelfShield::SetAvailability(bool /*ignoreMana*/, bool /*ignoreCooldown*/)
{
    // Up, it cannot be recast: it answers as a skill cooling down.
    if (toggledOn) {
        SetReason(UseQuery_CoolingDown);
        return false;
    }
    return Skill_BuffSelfToggled::SetAvailability(false, false);
}

void Skill_BuffSelfShield::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                       uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    if (!IsControllingSkill())
        return;
    toggledOn = true;
    SendActiveState(true);
}

float Skill_BuffSelfShield::ModifyDamage(float damage, CombatAttributeType type)
{
    if (!GetSkillProfile().IsQualifyingDamage(type)) {
        gEngine->LogCategory(gLogCombat, 0, "^bShield: Ignored non-qualified damage (%f)", damage);
        return damage;
    }
    if (absorptionPercent > 0.0f) {
        const float incoming = damage;
        damage -= absorptionPercent * 0.01f * damage;
        gEngine->LogCategory(
            gLogCombat, 0, "^bShield: Reduced (%f) Damage by (%f%%) percent, remaining damage (%f)",
            incoming, absorptionPercent, damage);
    }
    if (absorption > 0.0f) {
        const float before = damage;
        const float absorbed = Min(damage, absorption);
        damage -= absorbed;
        absorption -= absorbed;
        gEngine->LogCategory(gLogCombat, 0,
                             "^bShield: Absorbed (%f) of (%f) damage, shield remaining (%f)",
                             absorbed, before, absorption);
    }
    return damage;
}

} // namespace GAME
