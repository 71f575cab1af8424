#include "skills/Skill_PlayAttackAnimation.h"

#include "characters/AnimationSet.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_PlayAttackAnimation, SkillActivated);

Skill_PlayAttackAnimation::Skill_PlayAttackAnimation()
{
    SetPrimary(false);
    SetSecondary(false);
}

Skill_PlayAttackAnimation::~Skill_PlayAttackAnimation() = default;

bool Skill_PlayAttackAnimation::StartAction(Character& owner, uint32_t /*targetId*/,
                                            const WorldVec3& /*point*/, uint32_t /*seed*/)
{
    return StartSpecialAnimation(owner, 1.0f, false) ||
           StartNormalAnimation(owner, AnimationSet_Attack, Name(), 1.0f, false, 0);
}

} // namespace GAME
