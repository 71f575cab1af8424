#pragma once

#include "skills/Skill_Modifier.h"

namespace GAME {

// A modifier of a charged weapon attack whose extra hits land in melee.
class Skill_MeleeModifier : public Skill_Modifier {
    GAME_DECLARE_CLASS(Skill_MeleeModifier)

public:
    Skill_MeleeModifier() = default;
    ~Skill_MeleeModifier() override;

    virtual void ActivateModifierAttack(Character& owner, uint32_t value, const WorldVec3& point);
    virtual void CollectModifierDamageAttributes() const {}
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
};

} // namespace GAME
