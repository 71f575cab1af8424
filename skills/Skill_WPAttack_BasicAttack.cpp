#include "skills/Skill_WPAttack_BasicAttack.h"

#include "skills/SkillActivatedWeaponPool.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_WPAttack_BasicAttack, Skill_WPAttack);

Skill_WPAttack_BasicAttack::Skill_WPAttack_BasicAttack()
{
    SetDisplayName("^bPooled Weapon Attack");
}

Skill_WPAttack_BasicAttack::~Skill_WPAttack_BasicAttack() = default;

void Skill_WPAttack_BasicAttack::ActivateNow(Character& owner, const Name& callback,
                                             uint32_t targetId, const WorldVec3& point)
{
    ExecuteWeaponHit(*this, owner, callback, targetId, point);
}

void Skill_WPAttack_BasicAttack::TargetResult(Character& owner,
                                              const std::vector<uint32_t>& targets,
                                              const WorldCoords& origin, uint32_t seed,
                                              uint32_t weaponId, bool melee)
{
    if (melee)
        ApplyMeleeDamage(owner, targets, origin, seed, weaponId);
    else
        ApplyRangedDamage(owner, targets, origin, seed, weaponId);
    if (SkillActivatedWeaponPool* pool = GetParentPool())
        pool->WPAttackCallback(owner, targets);
}

} // namespace GAME
