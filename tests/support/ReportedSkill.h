#pragma once

#include "skills/Skill.h"

#include <cstdint>
#include <vector>

namespace GAME::Test {

// Keeps every id a projectile reports to it, foes and friends apart, in order.
class ReportedSkill : public Skill {
    GAME_DECLARE_CLASS(ReportedSkill)

public:
    // A fresh one from the object manager.
    static ReportedSkill* Create();

    void TargetInformation(const ProjectileInfo&, const WorldCoords&,
                           const std::vector<uint32_t>& targets) override;
    void TargetFriendInformation(const ProjectileInfo&, const WorldCoords&,
                                 const std::vector<uint32_t>& friends) override;

    int reports = 0;
    std::vector<uint32_t> reported;
    std::vector<uint32_t> friendsReported;
};

} // namespace GAME::Test
