#pragma once

#include "skills/SkillActivatedSpell.h"

namespace GAME {

// A direct hit on one chosen enemy, with an optional aura on it.
class Skill_AttackSpell : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackSpell)

public:
    // The farthest target a spell reaches.
    static constexpr float kRange = 20.0f;

    Skill_AttackSpell();
    ~Skill_AttackSpell() override;

    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
};

} // namespace GAME
