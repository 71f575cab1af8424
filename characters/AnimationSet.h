#pragma once

#include "characters/AnimationEntry.h"
#include "characters/AnimationPool.h"
#include "characters/AnimationSelected.h"

#include <cstdint>
#include <string>

namespace GAME {

class Actor;
class Name;

enum AnimationSet_Type : int32_t {
    AnimationSet_None = 0,
    AnimationSet_AttackIdle = 1,
    AnimationSet_IdleTransition = 2,
    AnimationSet_LongIdle = 3,
    AnimationSet_Fidget = 4,
    AnimationSet_Run = 5,
    AnimationSet_Walk = 6,
    AnimationSet_Pickup = 7,
    AnimationSet_PassItem = 8,
    AnimationSet_Chat = 9,
    AnimationSet_Stun = 10,
    AnimationSet_CriticalHit = 11,
    AnimationSet_Die = 12,
    AnimationSet_BuffSelf = 13,
    AnimationSet_BuffOther = 14,
    AnimationSet_SpellCast = 15,
    AnimationSet_Attack = 16,
    AnimationSet_Special = 17,
    AnimationSet_Spawn = 18,
    AnimationSet_Respawn = 19,
    AnimationSet_BeginMount = 20,
    AnimationSet_Mount = 21,
    AnimationSet_Dismount = 22,
    AnimationSet_EndDismount = 23,
    AnimationSet_AttTurnRight90 = 24,
    AnimationSet_AttTurnLeft90 = 25,
    AnimationSet_AttTurnRight180 = 26,
    AnimationSet_AttTurnLeft180 = 27,
    AnimationSet_TurnRight90 = 28,
    AnimationSet_TurnLeft90 = 29,
    AnimationSet_TurnRight180 = 30,
    AnimationSet_TurnLeft180 = 31
};
constexpr int32_t kAnimationSetTypeCount = 32;

// The animations of one weapon style, by kind, and the kind playing now. A kind outside the
// table stands for "None", whose holder starts with the engine's default animation.
class AnimationSet {
public:
    AnimationSet();
    AnimationSet(const AnimationSet&) = delete;
    AnimationSet& operator=(const AnimationSet&) = delete;
    virtual ~AnimationSet();

    // A holder handed out for change may be filled: its kind is asked again afterwards.
    AnimationBase& GetAnimationBase(AnimationSet_Type type);
    const AnimationBase& GetAnimationBase(AnimationSet_Type type) const;
    // The holder of the kind playing now.
    AnimationBase& GetAnimationBase();
    AnimationSet_Type GetCurrentType() const { return currentType; }

    void AddAnimation(AnimationSet_Type type, const std::string& animationName, float speedScale,
                      float weight, const std::string& reference);
    // On failure "None" plays instead, with the same arguments, and the answer is false.
    bool PlayAnimation(Actor& actor, AnimationSet_Type type, const Name& reference, float speed,
                       bool loop, int32_t repeatCount = 0);
    // On failure nothing changes.
    bool PlayAnimationIfAvailable(Actor& actor, AnimationSet_Type type, const Name& reference,
                                  float speed, bool loop, int32_t repeatCount = 0);

    bool SetLastPost(Actor& actor, AnimationSet_Type type);
    bool SetAnimationPose(Actor& actor, AnimationSet_Type type, int32_t frame);
    int32_t GetLength(AnimationSet_Type type) const;
    int32_t GetFrameRate(AnimationSet_Type type) const;
    float GetAnimSpeed(AnimationSet_Type type) const;
    void SetAnimationBlendTime(AnimationSet_Type type, float time);
    bool HandleAnimationCallback(Actor& actor, const Name& name);
    void AdjustAnimation(Actor& actor, float speed);
    bool DoesAnimationExist(AnimationSet_Type type) const;
    void Cancel() { currentType = AnimationSet_None; }
    void PreLoad();

    void SetMountedAnimations() { mounted = true; }
    void SetDismountedAnimations() { mounted = false; }
    bool IsMounted() const { return mounted; }

    // Empty outside the table.
    static std::string GetAnimTypeAsText(AnimationSet_Type type);
    // Exact and case-sensitive; "None" for any other text.
    static AnimationSet_Type GetAnimTextAsType(const std::string& text);

private:
    static bool IsValidType(AnimationSet_Type type);
    static int32_t Index(AnimationSet_Type type) { return IsValidType(type) ? type : 0; }
    AnimationBase& Holder(AnimationSet_Type type) { return *holders[Index(type)]; }
    void ForgetExistence(AnimationSet_Type type) { existenceKnown &= ~(1u << Index(type)); }

    bool mounted = false;
    // Whether each kind holds an animation, asked every frame by the controllers but changed
    // only when an animation is added: one bit a kind, known once asked.
    mutable uint32_t existenceKnown = 0;
    mutable uint32_t existence = 0;
    AnimationSet_Type currentType = AnimationSet_None;
    AnimationBase* holders[kAnimationSetTypeCount] = {};

    AnimationEntry none;
    AnimationPool attackIdle;
    AnimationEntry idleTransition;
    AnimationEntry longIdle;
    AnimationPool fidget;
    AnimationEntry run;
    AnimationEntry walk;
    AnimationEntry pickup;
    AnimationEntry passItem;
    AnimationEntry chat;
    AnimationEntry stun;
    AnimationEntry criticalHit;
    AnimationPool die;
    AnimationPool buffSelf;
    AnimationPool buffOther;
    AnimationEntry spellCast;
    AnimationPool attack;
    AnimationSelected special;
    AnimationEntry spawn;
    AnimationEntry respawn;
    AnimationEntry beginMount;
    AnimationEntry mount;
    AnimationEntry dismount;
    AnimationEntry endDismount;
    AnimationEntry attTurnRight90;
    AnimationEntry attTurnLeft90;
    AnimationEntry attTurnRight180;
    AnimationEntry attTurnLeft180;
    AnimationEntry turnRight90;
    AnimationEntry turnLeft90;
    AnimationEntry turnRight180;
    AnimationEntry turnLeft180;
};

} // namespace GAME
