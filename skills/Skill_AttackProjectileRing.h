#pragma once

#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <vector>

namespace GAME {

// Sends its projectiles spread evenly over an angle about the caster's facing: a full turn
// makes a ring.
class Skill_AttackProjectileRing : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackProjectileRing)

public:
    Skill_AttackProjectileRing();
    ~Skill_AttackProjectileRing() override;

    void SkillSpawnObject(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                          uint32_t seed) override;
    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    // The frame turned about its own up axis, in place.
    static WorldCoords RotateAboutUp(const WorldCoords& coords, float degrees);

protected:
    // The projectiles one cast sends: the record's launch number, 0 counting as 1.
    uint32_t GetLaunchCount() const;
};

} // namespace GAME
