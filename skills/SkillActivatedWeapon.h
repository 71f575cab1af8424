#pragma once

#include "skills/SkillActivated.h"

namespace GAME {

// The common base of the weapon attacks; no record names it.
class SkillActivatedWeapon : public SkillActivated {
public:
    SkillActivatedWeapon();
    ~SkillActivatedWeapon() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                           const std::vector<uint32_t>& targets) override;

    float GetRunSpeedAcceleration() const override;
    bool StartAction(Character& owner, uint32_t targetId, const WorldVec3& point,
                     uint32_t seed) override;
    void SwipeAction(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void HitAction(Character& owner, const Name& callback, uint32_t targetId,
                   const WorldVec3& point) override;
    bool EndAction(Character& owner) override;

    bool IsRanged() const { return ranged; }

protected:
    bool ranged = false;
};

} // namespace GAME
