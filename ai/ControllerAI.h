#pragma once

#include "ai/ControllerCombat.h"

#include <cstdint>

namespace GAME {

class Name;
class WorldVec3;
enum AnimationSet_Type : int32_t;

// The thinking controllers' base. So far its class record and the operations that turn an
// order into a character action for the driven character.
class ControllerAI : public ControllerCombat {
    GAME_DECLARE_CLASS(ControllerAI)

public:
    ControllerAI() = default;
    ~ControllerAI() override = default;

    void Idle();
    void LongIdle();
    void PickUp(uint32_t itemId);
    void Use(uint32_t objectId);
    void UseSkill(uint32_t targetId, const WorldVec3& point, uint32_t skillRef, uint32_t value);
    void TakeStun();
    void Chat(uint32_t partnerId);
    void PlayAnimation(AnimationSet_Type type, const Name& name, float speed, bool loop,
                       uint32_t value);
    void Immobilize();
    void TakeTrap();
    void MoveTo(const WorldVec3& destination, uint32_t targetId, uint32_t skillId);
    void WalkTo(const WorldVec3& destination, uint32_t targetId);
    void Die();

    // Orders from outside the controller's own thinking: the owner's pet orders and the
    // quests. The thinking controllers answer them; this layer has none of that thinking yet.
    virtual void GoToIdleState() {}
    virtual void RequestAttack(uint32_t /*targetId*/, uint32_t /*skillId*/) {}
    virtual void RequestMove(uint32_t /*id*/, const WorldVec3& /*point*/) {}
    virtual void QuestCommandMove(uint32_t /*id*/, const WorldVec3& /*point*/, bool /*flag*/) {}
    virtual void QuestCommandWalk(uint32_t /*id*/, const WorldVec3& /*point*/, bool /*flag*/) {}
    virtual void QuestCommandPlayAnimation(AnimationSet_Type /*type*/, bool /*flag1*/,
                                           bool /*flag2*/)
    {}
    virtual void QuestCommandUseSkill(uint32_t /*skillId*/, uint32_t /*id*/, bool /*flag*/) {}

    // After the driven character's team changed; nothing to re-think at this layer.
    virtual void TeamChanged() {}
    // Whether the AI takes up a conversation with the other character; a plain AI never does.
    virtual bool RequestConversation(uint32_t /*otherId*/) { return false; }
};

} // namespace GAME
