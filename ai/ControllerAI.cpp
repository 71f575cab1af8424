#include "ai/ControllerAI.h"

#include "characters/AttackAction.h"
#include "characters/Character.h"
#include "characters/ChatAction.h"
#include "characters/IdleAction.h"
#include "characters/ImmobilizeAction.h"
#include "characters/LongIdleAction.h"
#include "characters/MoveToAction.h"
#include "characters/PickUpAction.h"
#include "characters/PlayAnimationAction.h"
#include "characters/TakeStunAction.h"
#include "characters/TakeTrapAction.h"
#include "characters/UseAction.h"
#include "characters/WalkAction.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerAI, ControllerCombat);

void ControllerAI::Idle()
{
    HandleAction(new IdleAction(GetParentId()));
}

void ControllerAI::LongIdle()
{
    HandleAction(new LongIdleAction(GetParentId()));
}

void ControllerAI::PickUp(uint32_t itemId)
{
    HandleAction(new PickUpAction(GetParentId(), itemId));
}

void ControllerAI::Use(uint32_t objectId)
{
    HandleAction(new UseAction(GetParentId(), objectId));
}

void ControllerAI::UseSkill(uint32_t targetId, const WorldVec3& point, uint32_t skillRef,
                            uint32_t value)
{
    HandleAction(new AttackAction(GetParentId(), targetId, point, skillRef, value));
}

void ControllerAI::TakeStun()
{
    HandleAction(new TakeStunAction(GetParentId()));
}

void ControllerAI::Chat(uint32_t partnerId)
{
    HandleAction(new ChatAction(GetParentId(), partnerId));
}

void ControllerAI::PlayAnimation(AnimationSet_Type type, const Name& name, float speed, bool loop,
                                 uint32_t value)
{
    HandleAction(new PlayAnimationAction(GetParentId(), type, name, speed, loop, value));
}

void ControllerAI::Immobilize()
{
    HandleAction(new ImmobilizeAction(GetParentId()));
}

void ControllerAI::TakeTrap()
{
    HandleAction(new TakeTrapAction(GetParentId()));
}

// Without a character the action is still handed over, and refused there with a log line.
void ControllerAI::MoveTo(const WorldVec3& destination, uint32_t targetId, uint32_t skillId)
{
    Character* character = GetCharacter();
    const WorldVec3 from = character != nullptr ? character->GetPathPosition() : WorldVec3();
    const uint32_t skillRef =
        character != nullptr ? character->GetSkillReferenceNumber(skillId) : skillId;
    HandleAction(new MoveToAction(GetParentId(), from, destination, targetId, skillRef, 1.0f));
}

void ControllerAI::WalkTo(const WorldVec3& destination, uint32_t targetId)
{
    Character* character = GetCharacter();
    const WorldVec3 from = character != nullptr ? character->GetPathPosition() : WorldVec3();
    HandleAction(new WalkAction(GetParentId(), from, destination, targetId));
}

void ControllerAI::Die()
{
    HandleDieAction();
}

} // namespace GAME
