#pragma once

#include "skills/SkillActivatedWeaponPool.h"

namespace GAME {

// A plain pool that falls back on the default attack when mana runs short.
class Skill_WeaponPool_BasicAttack : public SkillActivatedWeaponPool {
    GAME_DECLARE_CLASS(Skill_WeaponPool_BasicAttack)

public:
    Skill_WeaponPool_BasicAttack();
    ~Skill_WeaponPool_BasicAttack() override;
};

} // namespace GAME
