#pragma once

#include "skills/SkillSecondaryChain.h"

namespace GAME {

// Lightning that forks from where the primary struck to several foes at once.
class SkillSecondary_ForkLightning : public SkillSecondaryBolts {
    GAME_DECLARE_CLASS(SkillSecondary_ForkLightning)

public:
    SkillSecondary_ForkLightning();
    ~SkillSecondary_ForkLightning() override;

    void ActivateNow(Character& owner, uint32_t target, const std::vector<uint32_t>& targets,
                     const WorldVec3& point) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void Update(Character& owner, int32_t elapsedMs) override;

protected:
    void ApplyLink(Character& owner, Character& target, const Link& link) override;
};

} // namespace GAME
