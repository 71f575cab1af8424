#include "tests/support/ReportedSkill.h"

#include "engine/ObjectManager.h"

namespace GAME::Test {

GAME_IMPLEMENT_CLASS(ReportedSkill, Skill);

ReportedSkill* ReportedSkill::Create()
{
    return static_cast<ReportedSkill*>(ObjectManager::Instance().CreateObject("ReportedSkill"));
}

void ReportedSkill::TargetInformation(const ProjectileInfo&, const WorldCoords&,
                                      const std::vector<uint32_t>& targets)
{
    ++reports;
    reported.insert(reported.end(), targets.begin(), targets.end());
}

void ReportedSkill::TargetFriendInformation(const ProjectileInfo&, const WorldCoords&,
                                            const std::vector<uint32_t>& friends)
{
    friendsReported.insert(friendsReported.end(), friends.begin(), friends.end());
}

} // namespace GAME::Test
