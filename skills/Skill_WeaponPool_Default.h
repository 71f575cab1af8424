#pragma once

#include "skills/SkillActivatedWeaponPool.h"

namespace GAME {

// The pool every character falls back on: always usable.
class Skill_WeaponPool_Default : public SkillActivatedWeaponPool {
    GAME_DECLARE_CLASS(Skill_WeaponPool_Default)

public:
    Skill_WeaponPool_Default();
    ~Skill_WeaponPool_Default() override;

    // Whatever the mana, cooldown or weapon.
    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;
};

} // namespace GAME
