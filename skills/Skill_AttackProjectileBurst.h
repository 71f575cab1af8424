#pragma once

#include "engine/WorldCoords.h"
#include "skills/SkillActivatedSpell.h"

#include <cstdint>

namespace GAME {

// The first projectile goes at the target; the rest follow one a frame at most, after random
// delays, scattered within the spread about the first one's direction.
class Skill_AttackProjectileBurst : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackProjectileBurst)

public:
    Skill_AttackProjectileBurst();
    ~Skill_AttackProjectileBurst() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void CreateProjectile(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const WorldVec3& point, uint32_t weaponId, uint32_t projectileId,
                          uint32_t seed) override;
    void StopSkill(Character& owner) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    int32_t GetRemaining() const { return remaining; }
    int32_t GetNextDelay() const { return nextDelay; }

private:
    void DrawNextDelay();

    WorldCoords burstCoords;
    int32_t remaining = 0;
    float spreadAngle = 0.0f; // degrees
    int32_t nextDelay = 0;    // ms
    int32_t lowestDelay = 0;
    int32_t highestDelay = 100;
};

} // namespace GAME
