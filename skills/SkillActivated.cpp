#include "skills/SkillActivated.h"

#include "engine/LoadTable.h"
#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillActivated, Skill);

// Every used-on-demand kind may have its cooldown lengthened by disruption.
SkillActivated::SkillActivated()
{
    SetDisruptable(true);
}

SkillActivated::~SkillActivated() = default;

void SkillActivated::LoadResources(const LoadTable& table)
{
    Skill::LoadResources(table);
    cameraShakeDurationSecs = table.GetFloat("cameraShakeDurationSecs", 0.0f);
    cameraShakeAmplitude = table.GetFloat("cameraShakeAmplitude", 0.0f);
}

void SkillActivated::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                 uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    NotifyUIOnActivate();
}

std::string SkillActivated::GetProjectileName() const
{
    return GetSkillProfile().GetProjectileName(GetCurrentLevel());
}

} // namespace GAME
