#pragma once

#include "skills/SkillActivatedBuffSelf.h"

namespace GAME {

// The user and one target swap places.
class Skill_Teleport : public SkillActivatedBuffSelf {
    GAME_DECLARE_CLASS(Skill_Teleport)

public:
    Skill_Teleport();
    ~Skill_Teleport() override;

    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
};

} // namespace GAME
