#pragma once

#include "skills/Skill_AttackProjectile.h"

#include <string>
#include <vector>

namespace GAME {

// A projectile that lays a debuff on what it hits instead of damaging it. Its numbers, sounds
// and effects are the debuff record's.
class Skill_AttackProjectileDebuf : public Skill_AttackProjectile {
    GAME_DECLARE_CLASS(Skill_AttackProjectileDebuf)

public:
    Skill_AttackProjectileDebuf();
    ~Skill_AttackProjectileDebuf() override;

    void Load(const LoadTable& table) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    std::string GetProjectileName() const override;

    const std::string& GetBuffSkillName() const { return buffSkillName; }

private:
    std::string buffSkillName;
    std::vector<std::string> projectileNames;
};

} // namespace GAME
