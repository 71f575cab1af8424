#include "skills/Skill_BuffRadiusToggled.h"

#include "characters/Character.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillSelfBuffShield.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffRadiusToggled, Skill_BuffRadius);

Skill_BuffRadiusToggled::Skill_BuffRadiusToggled()
{
    SetCooldownAtEnd(true);
}

Skill_BuffRadiusToggled::~Skill_BuffRadiusToggled() = default;

bool Skill_BuffRadiusToggled::IsTrackable(uint32_t /*level*/) const
{
    return toggledOn;
}

bool Skill_BuffRadiusToggled::HasIconDisplay(uint32_t /*level*/) const
{
    return debuff && toggledOn;
}

bool Skill_BuffRadiusToggled::TrackableTimed(uint32_t /*level*/) const
{
    return false;
}

void Skill_BuffRadiusToggled::ActivateNow(Character& owner, const Name& /*callback*/,
                                          uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr || buffSkillName.empty())
        return;
    pulseCountdown = pulseInterval;
    if (toggledOn) {
        EndAura(true);
        return;
    }
    toggledOn = true;
    SendActiveState(true);
    NotifyUIOnActivate();
    std::vector<uint32_t> targets;
    SendTargetsAround(owner, *services, true, targets);
}

void Skill_BuffRadiusToggled::UpdateSkillController(SkillServicesBase* /*services*/,
                                                    int32_t /*elapsedMs*/)
{
    if (toggledOn && !QualifyingWeapon())
        EndAura(false);
}

} // namespace GAME
