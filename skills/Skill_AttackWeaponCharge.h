#pragma once

#include "skills/Skill_AttackWeapon.h"

namespace GAME {

// A weapon hit that, when charged, also fires its melee modifiers.
class Skill_AttackWeaponCharge : public Skill_AttackWeapon {
    GAME_DECLARE_CLASS(Skill_AttackWeaponCharge)

public:
    Skill_AttackWeaponCharge();
    ~Skill_AttackWeaponCharge() override;

    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
};

} // namespace GAME
