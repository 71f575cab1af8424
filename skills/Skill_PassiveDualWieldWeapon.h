#pragma once

#include "skills/Skill_Passive.h"

namespace GAME {

// A passive that counts only while a weapon is held in each hand.
class Skill_PassiveDualWieldWeapon : public Skill_Passive {
    GAME_DECLARE_CLASS(Skill_PassiveDualWieldWeapon)

public:
    Skill_PassiveDualWieldWeapon() = default;
    ~Skill_PassiveDualWieldWeapon() override;

    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;
};

} // namespace GAME
