#pragma once

#include "skills/Skill_AttackSpell.h"

namespace GAME {

// The caster jumps to a point.
class Skill_AttackSpellTeleportSelf : public Skill_AttackSpell {
    GAME_DECLARE_CLASS(Skill_AttackSpellTeleportSelf)

public:
    Skill_AttackSpellTeleportSelf();
    ~Skill_AttackSpellTeleportSelf() override;

    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
};

} // namespace GAME
