#include "skills/SkillSecondary.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary, Skill);

SkillSecondary::SkillSecondary()
{
    SetDisruptable(true);
}

SkillSecondary::~SkillSecondary() = default;

void SkillSecondary::PrimaryActivateNow(Character& owner, uint32_t target,
                                        const std::vector<uint32_t>& targets,
                                        const WorldVec3& point)
{
    PrimaryActivateSecondarySkills(owner, target, targets, point);
}

void SkillSecondary::ActivateNow(Character& /*owner*/, uint32_t /*target*/,
                                 const std::vector<uint32_t>& /*targets*/,
                                 const WorldVec3& /*point*/)
{
    NotifyUIOnActivate();
}

void SkillSecondary::PrimaryStop(Character& owner)
{
    PrimaryStopSecondarySkills(owner);
}

} // namespace GAME
