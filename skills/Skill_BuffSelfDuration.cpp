#include "skills/Skill_BuffSelfDuration.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffSelfDuration, Skill_BuffSelfToggled);

Skill_BuffSelfDuration::Skill_BuffSelfDuration()
{
    SetCooldownAtEnd(false);
}

Skill_BuffSelfDuration::~Skill_BuffSelfDuration() = default;

void Skill_BuffSelfDuration::Update(Character& owner, int32_t elapsedMs)
{
    Skill_BuffSelfToggled::Update(owner, elapsedMs);
    SwitchOffWhenRunOut(toggledOn, remainingTime, elapsedMs);
}

bool Skill_BuffSelfDuration::TrackableTimed(uint32_t /*level*/) const
{
    return true;
}

int32_t Skill_BuffSelfDuration::TrackableRemainingTime(uint32_t /*level*/) const
{
    return remainingTime;
}

int32_t Skill_BuffSelfDuration::TrackableTotalTime(uint32_t /*level*/) const
{
    return totalTime;
}

void Skill_BuffSelfDuration::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                         uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    if (!IsControllingSkill())
        return;
    toggledOn = true;
    remainingTime = SkillSelfBuffShield::GetActiveTime(*this);
    totalTime = remainingTime;
    SendActiveState(true);
}

} // namespace GAME
