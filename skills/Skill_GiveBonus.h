#pragma once

#include "skills/SkillActivatedBuffOther.h"

namespace GAME {

// Gives one ally life and mana at once, directly or carried by a projectile.
class Skill_GiveBonus : public SkillActivatedBuffOther {
    GAME_DECLARE_CLASS(Skill_GiveBonus)

public:
    Skill_GiveBonus();
    ~Skill_GiveBonus() override;

    void TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
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
