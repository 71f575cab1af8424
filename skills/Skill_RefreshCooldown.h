#pragma once

#include "skills/SkillActivatedBuffSelf.h"

namespace GAME {

// Ends the cooldown of every other skill of its owner.
class Skill_RefreshCooldown : public SkillActivatedBuffSelf {
    GAME_DECLARE_CLASS(Skill_RefreshCooldown)

public:
    Skill_RefreshCooldown();
    ~Skill_RefreshCooldown() override;

    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    // The refresh ends everyone's cooldown but its own.
    void EndCooldown() override {}
};

} // namespace GAME
