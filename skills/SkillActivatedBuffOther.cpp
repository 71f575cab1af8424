#include "skills/SkillActivatedBuffOther.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"

namespace GAME {

SkillActivatedBuffOther::SkillActivatedBuffOther()
{
    SetTargetType(SkillTargetType_Ally);
}

SkillActivatedBuffOther::~SkillActivatedBuffOther() = default;

bool SkillActivatedBuffOther::GetValidTarget(const Character& owner, uint32_t& target,
                                             const WorldVec3& point, bool aroundSelf, float radius)
{
    return GetValidFriendTarget(owner, target, point, aroundSelf, radius, true);
}

bool SkillActivatedBuffOther::StartAction(Character& owner, uint32_t /*targetId*/,
                                          const WorldVec3& /*point*/, uint32_t /*seed*/)
{
    return StartCastAnimation(owner, AnimationSet_BuffOther);
}

void SkillActivatedBuffOther::SwipeAction(Character& owner, const Name& /*callback*/,
                                          uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    PlaySwipeSound(owner.GetCoords().GetPosition());
}

void SkillActivatedBuffOther::HitAction(Character& owner, const Name& callback, uint32_t targetId,
                                        const WorldVec3& point)
{
    ActivateNow(owner, callback, targetId, point);
}

} // namespace GAME
