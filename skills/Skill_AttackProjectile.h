#pragma once

#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <string>

namespace GAME {

// Launches the projectile its record names from the caster's hand; every machine creates it
// with the id and seed the controlling machine sent.
class Skill_AttackProjectile : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackProjectile)

public:
    Skill_AttackProjectile();
    ~Skill_AttackProjectile() override;

    void CreateProjectile(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const WorldVec3& point, uint32_t weaponId, uint32_t projectileId,
                          uint32_t seed) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    // The creation every projectile skill shares, up to the swipe sound: null (and logged)
    // when the record cannot be made or the id is taken. The caller sends it on its way.
    static ProjectileBase* SpawnProjectile(SkillActivated& skill, Character& owner,
                                           const std::string& recordName, const WorldCoords& origin,
                                           uint32_t targetId, const WorldVec3& point,
                                           uint32_t projectileId, uint32_t seed, int32_t duration,
                                           bool swipe);
};

} // namespace GAME
