#pragma once

#include "skills/SkillActivatedSpell.h"

#include <string>

namespace GAME {

// Lays a debuff on one enemy; the skill's numbers, sounds and effects are the debuff record's.
class Skill_AttackBuff : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackBuff)

public:
    // The farthest target the debuff reaches.
    static constexpr float kRange = 20.0f;

    Skill_AttackBuff();
    ~Skill_AttackBuff() override;

    void Load(const LoadTable& table) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    const std::string& GetBuffSkillName() const { return buffSkillName; }

private:
    std::string buffSkillName;
};

} // namespace GAME
