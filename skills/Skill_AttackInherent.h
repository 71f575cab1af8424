#pragma once

#include "skills/SkillActivatedWeapon.h"

namespace GAME {

// A melee hit without a weapon (claws, fists): the hands are never asked.
class Skill_AttackInherent : public SkillActivatedWeapon {
    GAME_DECLARE_CLASS(Skill_AttackInherent)

public:
    Skill_AttackInherent();
    ~Skill_AttackInherent() override;

    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
};

} // namespace GAME
