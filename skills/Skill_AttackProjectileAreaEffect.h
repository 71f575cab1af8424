#pragma once

#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <string>

namespace GAME {

// Sends several projectiles per cast; only the first command charges mana and cooldown. The
// kinds choose where each comes from and which record it is.
class Skill_AttackProjectileAreaEffect : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackProjectileAreaEffect)

public:
    Skill_AttackProjectileAreaEffect();
    ~Skill_AttackProjectileAreaEffect() override;

    // weaponId not 0 marks the first projectile of a cast.
    void CreateProjectile(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const WorldVec3& point, uint32_t weaponId, uint32_t projectileId,
                          uint32_t seed) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

protected:
    virtual WorldCoords GetLaunchPoint(Character& owner, const Name& callback);
    // True when the projectile was sent on its way here.
    virtual bool DoSpecialProjectileGo(Character& owner, ProjectileBase* projectile);
    virtual std::string GetSpecialProjectileName(uint32_t projectileId) const;
    virtual int32_t GetNumProjectiles() const { return 1; }
};

} // namespace GAME
