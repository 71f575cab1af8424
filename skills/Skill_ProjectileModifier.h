#pragma once

#include "skills/Skill_Modifier.h"

namespace GAME {

// A modifier of a projectile skill: its numbers ride on the projectile, and its own hit lands
// where the projectile struck.
class Skill_ProjectileModifier : public Skill_Modifier {
    GAME_DECLARE_CLASS(Skill_ProjectileModifier)

public:
    Skill_ProjectileModifier() = default;
    ~Skill_ProjectileModifier() override;

    virtual void CollectModifierDamageAttributes() const {}
    virtual void CreateImpactFx(const WorldCoords& where);
    void TargetInformation(const ProjectileInfo& info, const WorldCoords& where,
                           const std::vector<uint32_t>& targets) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t sourceId,
                      bool melee) override;
};

} // namespace GAME
