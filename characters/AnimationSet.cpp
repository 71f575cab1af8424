#include "characters/AnimationSet.h"

#include "engine/GraphicsEngine.h"

namespace GAME {

namespace {

struct TypeRow {
    const char* name;
    bool preLoad;
};

constexpr TypeRow kTypes[kAnimationSetTypeCount] = {
    {"None", true},
    {"AttackIdle", true},
    {"IdleTransition", true},
    {"LongIdle", true},
    {"Fidget", false},
    {"Run", true},
    {"Walk", true},
    {"Pickup", false},
    {"PassItem", false},
    {"Chat", false},
    {"Stun", false},
    {"CriticalHit", false},
    {"Die", true},
    {"BuffSelf", false},
    {"BuffOther", false},
    {"SpellCast", false},
    {"Attack", true},
    {"Special", false},
    {"Spawn", true},
    {"Respawn", true},
    {"BeginMount", false},
    {"Mount", false},
    {"Dismount", false},
    {"EndDismount", false},
    {"AttTurnRight90", true},
    {"AttTurnLeft90", true},
    {"AttTurnRight180", true},
    {"AttTurnLeft180", true},
    {"TurnRight90", true},
    {"TurnLeft90", true},
    {"TurnRight180", true},
    {"TurnLeft180", true},
};

} // namespace

AnimationSet::AnimationSet()
    : holders{&none,
              &attackIdle,
              &idleTransition,
              &longIdle,
              &fidget,
              &run,
              &walk,
              &pickup,
              &passItem,
              &chat,
              &stun,
              &criticalHit,
              &die,
              &buffSelf,
              &buffOther,
              &spellCast,
              &attack,
              &special,
              &spawn,
              &respawn,
              &beginMount,
              &mount,
              &dismount,
              &endDismount,
              &attTurnRight90,
              &attTurnLeft90,
              &attTurnRight180,
              &attTurnLeft180,
              &turnRight90,
              &turnLeft90,
              &turnRight180,
              &turnLeft180},
      none(GraphicsEngine::Instance().GetDefaultAnimation())
{
    // A spawn starts from nothing, so there is no pose to blend from.
    spawn.SetAnimationBlendTime(0.0f);
}

AnimationSet::~AnimationSet() = default;

bool AnimationSet::IsValidType(AnimationSet_Type type)
{
    return type >= 0 && type < kAnimationSetTypeCount;
}

AnimationBase& AnimationSet::GetAnimationBase(AnimationSet_Type type)
{
    ForgetExistence(type);
    return Holder(type);
}

const AnimationBase& AnimationSet::GetAnimationBase(AnimationSet_Type type) const
{
    return *holders[IsValidType(type) ? type : AnimationSet_None];
}

AnimationBase& AnimationSet::GetAnimationBase()
{
    ForgetExistence(currentType);
    return Holder(currentType);
}

void AnimationSet::AddAnimation(AnimationSet_Type type, const std::string& animationName,
                                float speedScale, float weight, const std::string& reference)
{
    ForgetExistence(type);
    Holder(type).AddAnimation(animationName, speedScale, weight, reference);
}

bool AnimationSet::PlayAnimation(Actor& actor, AnimationSet_Type type, const Name& reference,
                                 float speed, bool loop, int32_t repeatCount)
{
    if (PlayAnimationIfAvailable(actor, type, reference, speed, loop, repeatCount))
        return true;
    currentType = AnimationSet_None;
    none.PlayAnimation(actor, reference, speed, loop, repeatCount);
    return false;
}

bool AnimationSet::PlayAnimationIfAvailable(Actor& actor, AnimationSet_Type type,
                                            const Name& reference, float speed, bool loop,
                                            int32_t repeatCount)
{
    if (!Holder(type).PlayAnimation(actor, reference, speed, loop, repeatCount))
        return false;
    // A kind outside the table played the "None" holder.
    currentType = IsValidType(type) ? type : AnimationSet_None;
    return true;
}

bool AnimationSet::SetLastPost(Actor& actor, AnimationSet_Type type)
{
    return Holder(type).SetLastPose(actor);
}

bool AnimationSet::SetAnimationPose(Actor& actor, AnimationSet_Type type, int32_t frame)
{
    return Holder(type).SetAnimationPose(actor, frame);
}

int32_t AnimationSet::GetLength(AnimationSet_Type type) const
{
    return GetAnimationBase(type).GetLength();
}

int32_t AnimationSet::GetFrameRate(AnimationSet_Type type) const
{
    return GetAnimationBase(type).GetFrameRate();
}

float AnimationSet::GetAnimSpeed(AnimationSet_Type type) const
{
    return GetAnimationBase(type).GetAnimSpeed();
}

void AnimationSet::SetAnimationBlendTime(AnimationSet_Type type, float time)
{
    Holder(type).SetAnimationBlendTime(time);
}

bool AnimationSet::HandleAnimationCallback(Actor& actor, const Name& name)
{
    return Holder(currentType).HandleAnimationCallback(actor, name);
}

void AnimationSet::AdjustAnimation(Actor& actor, float speed)
{
    Holder(currentType).AdjustAnimation(actor, speed);
}

bool AnimationSet::DoesAnimationExist(AnimationSet_Type type) const
{
    const uint32_t bit = 1u << Index(type);
    if ((existenceKnown & bit) == 0) {
        if (GetAnimationBase(type).IsEmpty())
            existence &= ~bit;
        else
            existence |= bit;
        existenceKnown |= bit;
    }
    return (existence & bit) != 0;
}

void AnimationSet::PreLoad()
{
    for (int32_t type = 0; type < kAnimationSetTypeCount; ++type)
        holders[type]->PreLoad(kTypes[type].preLoad);
}

std::string AnimationSet::GetAnimTypeAsText(AnimationSet_Type type)
{
    return IsValidType(type) ? kTypes[type].name : "";
}

AnimationSet_Type AnimationSet::GetAnimTextAsType(const std::string& text)
{
    for (int32_t type = 0; type < kAnimationSetTypeCount; ++type) {
        if (text == kTypes[type].name)
            return static_cast<AnimationSet_Type>(type);
    }
    return AnimationSet_None;
}

} // namespace GAME
