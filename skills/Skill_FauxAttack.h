#pragma once

#include "skills/SkillActivatedSpell.h"

namespace GAME {

// An attack without damage: the target reacts as if struck.
class Skill_FauxAttack : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_FauxAttack)

public:
    Skill_FauxAttack();
    ~Skill_FauxAttack() override;

    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
};

} // namespace GAME
