#include "skills/Skill.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "engine/GraphicsAnim.h"
#include "engine/WorldCoords.h"
#include "skills/SkillProfile.h"

#include <algorithm>

namespace GAME {

namespace {

struct CallbackPoint {
    Name callback;
    Name attachPoint;
};

// Made on first use: names are interned, and statics built before the name table would be lost.
const std::vector<CallbackPoint>& CallbackPoints()
{
    static const std::vector<CallbackPoint> points = {
        {Name::Create("RightHandHit"), Name::Create("R Hand")},
        {Name::Create("LeftHandHit"), Name::Create("L Hand")},
        {Name::Create("SpecialHit01"), Name::Create("SpecialHit01")},
        {Name::Create("SpecialHit02"), Name::Create("SpecialHit02")},
        {Name::Create("SpecialHit03"), Name::Create("SpecialHit03")},
        {Name::Create("SpecialHit04"), Name::Create("SpecialHit04")},
    };
    return points;
}

} // namespace

WorldCoords Skill::GetCoordsFromCallback(const Character& owner, const Name& callback) const
{
    for (const CallbackPoint& point : CallbackPoints()) {
        if (point.callback == callback)
            return owner.GetAttachedCoords(point.attachPoint);
    }
    return owner.GetCoords();
}

bool Skill::StartSpecialAnimation(Character& owner, float speed, bool loop)
{
    const Name& name = GetSkillProfile().GetSpecialAnimationName();
    AnimationSet* set = owner.GetAnimationSet();
    if (name.IsEmpty() || set == nullptr || !set->DoesAnimationExist(AnimationSet_Special))
        return false;
    if (!set->PlayAnimationIfAvailable(owner, AnimationSet_Special, name, speed, loop))
        return false;
    CaptureAnimationRagDollInfo(owner);
    return true;
}

bool Skill::StartNormalAnimation(Character& owner, AnimationSet_Type type, const Name& name,
                                 float speed, bool loop, uint32_t repeatCount)
{
    AnimationSet* set = owner.GetAnimationSet();
    if (set == nullptr)
        return false;
    const auto repeats = static_cast<int32_t>(std::min<uint32_t>(repeatCount, INT32_MAX));
    if (!set->PlayAnimation(owner, type, name, speed, loop, repeats))
        return false;
    CaptureAnimationRagDollInfo(owner);
    return true;
}

void Skill::CaptureAnimationRagDollInfo(const Character& owner)
{
    const GraphicsAnim* animation = owner.GetCurrentAnimation();
    if (animation == nullptr)
        return;
    const GraphicsAnim::RagDollInfo& info = animation->GetRagDollInfo();
    ragDollEffectType = info.effectType;
    ragDollDirection = info.direction;
    ragDollPush = info.push;
    ragDollElevation = info.elevation;
}

} // namespace GAME
