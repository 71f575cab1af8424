#include "ai/ControllerTyphonChained.h"

#include "ai/ControllerMonsterState.h"
#include "characters/AnimationSet.h"
#include "characters/CharacterConfigCommands.h"
#include "engine/Name.h"

#include <memory>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerTyphonChained, ControllerMonster);

namespace {

// Each state answers only what the scene names; the rest does nothing.
class ChainedState : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;

protected:
    template <typename Command> void Report()
    {
        if (Monster* self = GetCharacter())
            self->Enqueue(std::make_unique<Command>(self->GetObjectId()));
    }
};

class StateStartup : public ChainedState {
public:
    using ChainedState::ChainedState;
    void OnBegin() override
    {
        SwitchTo("Chained");
        GetController()->SetInvincible(true);
    }
};

// Only the breaking animation frees it; other quest orders get the usual answer.
class StateChained : public ChainedState {
public:
    explicit StateChained(ControllerMonster* controller) : ChainedState(controller)
    {
        Answer(kQuestDefaults);
    }
    void QuestCommandPlayAnimation(AnimationSet_Type /*type*/, bool /*looping*/) override
    {
        SwitchTo("BreakingTheChains");
    }
};

class StateBreakingTheChains : public ChainedState {
public:
    using ChainedState::ChainedState;
    void OnBegin() override { PlayAnimation(AnimationSet_Chat, Name(), 1.0f, false, 0); }
    void HandleEvent(const Name& event) override
    {
        static const Name end = Name::Create("End");
        if (event != end)
            return;
        SwitchTo("WaitToWalk");
        Report<QuestAnimationCompletedConfigCmd>();
    }
};

class StateWaitToWalk : public ChainedState {
public:
    using ChainedState::ChainedState;
    void QuestCommandMove(uint32_t /*targetId*/, const WorldVec3& point) override
    {
        SwitchTo("WalkToPortal", 0, 0, 0, point);
    }
    void QuestCommandWalk(uint32_t /*targetId*/, const WorldVec3& point) override
    {
        SwitchTo("WalkToPortal", 0, 0, 0, point);
    }
};

class StateWalkToPortal : public ChainedState {
public:
    using ChainedState::ChainedState;
    void OnBegin() override { WalkTo(GetAIController()->GetCurrentPointOfInterest(), 0); }
    void EndOfPathReached() override { Report<QuestMoveCompletedConfigCmd>(); }
};

} // namespace

ControllerTyphonChained::~ControllerTyphonChained() = default;

void ControllerTyphonChained::InitialUpdate()
{
    ControllerAI::InitialUpdate();
}

void ControllerTyphonChained::RegisterStates()
{
    AddState("Startup", new StateStartup(this));
    AddState("Chained", new StateChained(this));
    AddState("BreakingTheChains", new StateBreakingTheChains(this));
    AddState("WaitToWalk", new StateWaitToWalk(this));
    AddState("WalkToPortal", new StateWalkToPortal(this));
}

} // namespace GAME
