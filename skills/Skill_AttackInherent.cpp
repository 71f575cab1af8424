#include "skills/Skill_AttackInherent.h"

#include "engine/WorldCoords.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackInherent, SkillActivated);

Skill_AttackInherent::Skill_AttackInherent()
{
    SetPrimary(true);
    SetSecondary(true);
    SetUseDefaultWhenOutOfMana(false);
}

Skill_AttackInherent::~Skill_AttackInherent() = default;

void Skill_AttackInherent::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                        const WorldCoords& origin, uint32_t seed,
                                        uint32_t /*weaponId*/, bool /*melee*/)
{
    ApplyMeleeDamageInherent(owner, targets, origin, seed);
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

void Skill_AttackInherent::ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                                       const WorldVec3& point)
{
    SkillActivatedWeapon::ActivateNow(owner, callback, targetId, point);
    ExecuteMeleeAttack(owner, targetId, point, 0);
}

} // namespace GAME
