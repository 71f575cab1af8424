#pragma once

#include "skills/Skill_MeleeModifier.h"

namespace GAME {

// A melee modifier whose extra hit strikes every foe close around the owner.
class Skill_MeleeModifierRadius : public Skill_MeleeModifier {
    GAME_DECLARE_CLASS(Skill_MeleeModifierRadius)

public:
    Skill_MeleeModifierRadius() = default;
    ~Skill_MeleeModifierRadius() override;

    void ActivateModifierAttack(Character& owner, uint32_t value, const WorldVec3& point) override;
};

} // namespace GAME
