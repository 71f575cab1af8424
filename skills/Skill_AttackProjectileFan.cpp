#include "skills/Skill_AttackProjectileFan.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackProjectileFan, Skill_AttackProjectileRing);

Skill_AttackProjectileFan::Skill_AttackProjectileFan()
{
    SetSkillType(SkillType_Normal);
}

Skill_AttackProjectileFan::~Skill_AttackProjectileFan() = default;

bool Skill_AttackProjectileFan::GetValidTarget(const Character& /*owner*/, uint32_t& /*target*/,
                                               const WorldVec3& /*point*/, bool /*aroundSelf*/,
                                               float /*radius*/)
{
    return true;
}

} // namespace GAME
