#include "skills/Skill_WeaponPool_BasicAttack.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_WeaponPool_BasicAttack, SkillActivatedWeaponPool);

Skill_WeaponPool_BasicAttack::Skill_WeaponPool_BasicAttack()
{
    SetDisplayName("^bBasic Weapon Attack");
    SetUseDefaultWhenOutOfMana(true);
}

Skill_WeaponPool_BasicAttack::~Skill_WeaponPool_BasicAttack() = default;

} // namespace GAME
