#pragma once

#include "ai/ControllerAIStateT.h"
#include "ai/ControllerNpc2.h"
#include "characters/Npc.h"

#include <cstdint>
#include <string>

namespace GAME {

// What every townsperson's state shares: a quest command interrupts whatever it is doing.
class ControllerNpcStateBase : public ControllerAIStateT<ControllerNpc2, Npc> {
public:
    explicit ControllerNpcStateBase(ControllerNpc2* controller)
        : ControllerAIStateT<ControllerNpc2, Npc>(controller)
    {}

    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
    void QuestCommandMove(uint32_t targetId, const WorldVec3& point) override
    {
        DefaultQuestCommandMoveResponse(targetId, point);
    }
    void QuestCommandWalk(uint32_t targetId, const WorldVec3& point) override
    {
        DefaultQuestCommandWalkResponse(targetId, point);
    }
    void QuestCommandPlayAnimation(AnimationSet_Type type, bool looping) override
    {
        DefaultQuestCommandPlayAnimationResponse(type, looping);
    }

protected:
    void DefaultQuestCommandMoveResponse(uint32_t targetId, const WorldVec3& point);
    // Ignored when the spot cannot be reached.
    void DefaultQuestCommandWalkResponse(uint32_t targetId, const WorldVec3& point);
    void DefaultQuestCommandPlayAnimationResponse(AnimationSet_Type type, bool looping);

    void SwitchTo(const std::string& name, uint32_t allyId = 0);
    // "Chat" with the one the townsperson talks to; false when it talks to nobody.
    bool ChatIfSpokenTo();
    // The townsperson with the id, or null once it is gone.
    static Npc* FindNpc(uint32_t id);
};

class ControllerNpcStateIdle : public ControllerNpcStateBase {
public:
    using ControllerNpcStateBase::ControllerNpcStateBase;

    void DebugRender() override;
    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    int32_t GetWaitTime() const { return waitTime; }

protected:
    // The pause drawn between the controller's idle times.
    void StartWaiting();
    // True once the pause ran out.
    bool Waited(int32_t elapsedMs);

private:
    int32_t waitTime = 0; // ms
};

class ControllerNpcStateLongIdle : public ControllerNpcStateIdle {
public:
    using ControllerNpcStateIdle::ControllerNpcStateIdle;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
};

class ControllerNpcStateChat : public ControllerNpcStateBase {
public:
    using ControllerNpcStateBase::ControllerNpcStateBase;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
};

// Stands by the attractor in the current ally for a while, on a defence slot of it.
class ControllerNpcStateWatchAttraction : public ControllerNpcStateBase {
public:
    using ControllerNpcStateBase::ControllerNpcStateBase;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void OnEnd() override;
    void LostSlot() override { SwitchTo("Idle"); }
    int32_t GetWatchTime() const { return watchTime; }

private:
    int32_t watchTime = 0; // ms
};

// Open for a chat while a player is about.
class ControllerNpcStateAlert : public ControllerNpcStateBase {
public:
    using ControllerNpcStateBase::ControllerNpcStateBase;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void OnEnd() override;
};

// The quest states tell the quest they are done however they end: arrived, played out or
// replaced by another order.
class ControllerNpcStateQuestMove : public ControllerNpcStateBase {
public:
    using ControllerNpcStateBase::ControllerNpcStateBase;

    void OnBegin() override;
    void OnEnd() override;
    void EndOfPathReached() override { SwitchTo("Idle"); }
    void QuestCommandMove(uint32_t /*targetId*/, const WorldVec3& /*point*/) override {}

protected:
    virtual void GoTo(const WorldVec3& point) { MoveTo(point, 0, 0); }
};

class ControllerNpcStateQuestWalk : public ControllerNpcStateQuestMove {
public:
    using ControllerNpcStateQuestMove::ControllerNpcStateQuestMove;

    void QuestCommandMove(uint32_t targetId, const WorldVec3& point) override
    {
        DefaultQuestCommandMoveResponse(targetId, point);
    }
    void QuestCommandWalk(uint32_t /*targetId*/, const WorldVec3& /*point*/) override {}

protected:
    void GoTo(const WorldVec3& point) override { WalkTo(point, 0); }
};

class ControllerNpcStateQuestPlayAnimation : public ControllerNpcStateBase {
public:
    using ControllerNpcStateBase::ControllerNpcStateBase;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void OnEnd() override;
    void HandleEvent(const Name& event) override;
    void QuestCommandPlayAnimation(AnimationSet_Type /*type*/, bool /*looping*/) override {}
};

} // namespace GAME
