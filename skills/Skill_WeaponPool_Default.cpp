#include "skills/Skill_WeaponPool_Default.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_WeaponPool_Default, SkillActivatedWeaponPool);

Skill_WeaponPool_Default::Skill_WeaponPool_Default()
{
    SetDisplayName("^bDefault Weapon Attack");
    SetDefaultSkill(true);
}

Skill_WeaponPool_Default::~Skill_WeaponPool_Default() = default;

bool Skill_WeaponPool_Default::SetAvailability(bool /*ignoreMana*/, bool /*ignoreCooldown*/)
{
    SetReason(UseQuery_Usable);
    return true;
}

} // namespace GAME
