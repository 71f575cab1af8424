#include "skills/Skill_BuffAttackRadiusDuration.h"

#include "core/Saturate.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillSelfBuffShield.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffAttackRadiusDuration, Skill_BuffAttackRadiusToggled);

Skill_BuffAttackRadiusDuration::Skill_BuffAttackRadiusDuration()
{
    SetCooldownAtEnd(false);
}

Skill_BuffAttackRadiusDuration::~Skill_BuffAttackRadiusDuration() = default;

void Skill_BuffAttackRadiusDuration::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                                 uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    if (!IsControllingSkill())
        return;
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    toggledOn = true;
    totalTime = SaturateToInt(static_cast<double>(data.GetActiveDuration()) * 1000.0);
    remainingTime = totalTime;
    SendActiveState(true);
}

void Skill_BuffAttackRadiusDuration::Update(Character& owner, int32_t elapsedMs)
{
    Skill_BuffAttackRadiusToggled::Update(owner, elapsedMs);
    SwitchOffWhenRunOut(toggledOn, remainingTime, elapsedMs);
}

bool Skill_BuffAttackRadiusDuration::TrackableTimed(uint32_t /*level*/) const
{
    return true;
}

int32_t Skill_BuffAttackRadiusDuration::TrackableRemainingTime(uint32_t /*level*/) const
{
    return remainingTime;
}

int32_t Skill_BuffAttackRadiusDuration::TrackableTotalTime(uint32_t /*level*/) const
{
    return totalTime;
}

} // namespace GAME
