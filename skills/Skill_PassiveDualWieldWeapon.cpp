#include "skills/Skill_PassiveDualWieldWeapon.h"

#include "skills/SkillManagerBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_PassiveDualWieldWeapon, Skill_Passive);

Skill_PassiveDualWieldWeapon::~Skill_PassiveDualWieldWeapon() = default;

bool Skill_PassiveDualWieldWeapon::SetAvailability(bool /*ignoreMana*/, bool /*ignoreCooldown*/)
{
    constexpr int32_t kBothHandsArmed = 2;
    if (GetCurrentLevel() != 0 && GetManager() != nullptr &&
        GetManager()->GetHandState() == kBothHandsArmed)
        return true;
    SetReason(UseQuery_WeaponNotQualifying);
    return false;
}

} // namespace GAME
