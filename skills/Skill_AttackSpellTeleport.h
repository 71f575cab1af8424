#pragma once

#include "skills/Skill_AttackSpell.h"

namespace GAME {

// The caster and the target swap places, then the target is hit.
class Skill_AttackSpellTeleport : public Skill_AttackSpell {
    GAME_DECLARE_CLASS(Skill_AttackSpellTeleport)

public:
    Skill_AttackSpellTeleport();
    ~Skill_AttackSpellTeleport() override;

    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
};

} // namespace GAME
