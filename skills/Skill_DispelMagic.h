#pragma once

#include "skills/SkillActivatedSpell.h"

namespace GAME {

// Strips buffs from foes (and hurts them) and debuffs from friends, by projectile or at once.
class Skill_DispelMagic : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_DispelMagic)

public:
    Skill_DispelMagic();
    ~Skill_DispelMagic() override;

    void TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                           const std::vector<uint32_t>& targets) override;
    void TargetFriendInformation(const ProjectileInfo& info, const WorldCoords& origin,
                                 const std::vector<uint32_t>& targets) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void CreateProjectile(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const WorldVec3& point, uint32_t weaponId, uint32_t projectileId,
                          uint32_t seed) override;
    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
};

} // namespace GAME
