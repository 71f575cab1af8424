#pragma once

#include "skills/Skill_WPAttack.h"

namespace GAME {

// The plain pooled swing: hits with the hand's weapon and tells the pool what it hit.
class Skill_WPAttack_BasicAttack : public Skill_WPAttack {
    GAME_DECLARE_CLASS(Skill_WPAttack_BasicAttack)

public:
    Skill_WPAttack_BasicAttack();
    ~Skill_WPAttack_BasicAttack() override;

    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
};

} // namespace GAME
