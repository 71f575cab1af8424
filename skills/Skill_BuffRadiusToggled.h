#pragma once

#include "skills/Skill_BuffRadius.h"

namespace GAME {

// The radius buff switched on and off by use rather than timed.
class Skill_BuffRadiusToggled : public Skill_BuffRadius {
    GAME_DECLARE_CLASS(Skill_BuffRadiusToggled)

public:
    Skill_BuffRadiusToggled();
    ~Skill_BuffRadiusToggled() override;

    bool IsTrackable(uint32_t level) const override;
    bool HasIconDisplay(uint32_t level) const override;
    bool TrackableTimed(uint32_t level) const override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void UpdateSkillController(SkillServicesBase* services, int32_t elapsedMs) override;
};

} // namespace GAME
