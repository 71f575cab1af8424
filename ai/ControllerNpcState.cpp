#include "ai/ControllerNpcState.h"

#include "characters/CharacterConfigCommands.h"
#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"

#include <memory>

namespace GAME {

namespace {

constexpr int32_t kMinWatchTime = 10000; // ms, when the attractor names no time of its own
constexpr int32_t kMaxWatchTime = 20000; // ms
constexpr float kReachTolerance = 0.5f;

} // namespace

// ---- shared ----

void ControllerNpcStateBase::DefaultQuestCommandMoveResponse(uint32_t /*targetId*/,
                                                             const WorldVec3& point)
{
    GetController()->SetQuestPoint(point);
    SwitchTo("QuestMove");
}

void ControllerNpcStateBase::DefaultQuestCommandWalkResponse(uint32_t /*targetId*/,
                                                             const WorldVec3& point)
{
    Npc* self = GetCharacter();
    if (self == nullptr || !self->CanMoveTo(point, kReachTolerance))
        return;
    GetController()->SetQuestPoint(point);
    SwitchTo("QuestWalk");
}

void ControllerNpcStateBase::DefaultQuestCommandPlayAnimationResponse(AnimationSet_Type type,
                                                                      bool looping)
{
    GetController()->SetQuestAnimation(type, looping);
    SwitchTo("QuestPlayAnimation");
}

void ControllerNpcStateBase::SwitchTo(const std::string& name, uint32_t allyId)
{
    SetState(name, ControllerAIStateData(0, allyId, 0, WorldVec3()));
}

bool ControllerNpcStateBase::ChatIfSpokenTo()
{
    const Npc* self = GetCharacter();
    const uint32_t partner = self != nullptr ? self->GetSocialTarget() : 0;
    if (partner == 0)
        return false;
    SwitchTo("Chat", partner);
    return true;
}

Npc* ControllerNpcStateBase::FindNpc(uint32_t id)
{
    return ObjectManager::Instance().GetObject<Npc>(id);
}

// ---- standing about ----

void ControllerNpcStateIdle::DebugRender()
{
    GetController()->PushDebugRenderText("Wait Time: " + std::to_string(waitTime));
}

void ControllerNpcStateIdle::StartWaiting()
{
    const ControllerNpc2* controller = GetController();
    waitTime = RandomInt(controller->GetIdleTimeMin(), controller->GetIdleTimeMax());
}

bool ControllerNpcStateIdle::Waited(int32_t elapsedMs)
{
    waitTime = AddSaturating(waitTime, -elapsedMs);
    return waitTime <= 0;
}

void ControllerNpcStateIdle::OnBegin()
{
    Idle();
    StartWaiting();
}

void ControllerNpcStateIdle::OnUpdate(int32_t elapsedMs)
{
    if (ChatIfSpokenTo() || !Waited(elapsedMs))
        return;
    const Npc* self = GetCharacter();
    SwitchTo(self != nullptr && self->CanWalk() ? "Wander" : "LongIdle");
}

void ControllerNpcStateLongIdle::OnBegin()
{
    LongIdle();
    StartWaiting();
}

void ControllerNpcStateLongIdle::OnUpdate(int32_t elapsedMs)
{
    if (!ChatIfSpokenTo() && Waited(elapsedMs))
        SwitchTo("Idle");
}

void ControllerNpcStateChat::OnBegin()
{
    Chat(GetCurrentAlly());
}

void ControllerNpcStateChat::OnUpdate(int32_t /*elapsedMs*/)
{
    const Npc* self = GetCharacter();
    if (self == nullptr || self->GetSocialTarget() == 0)
        SwitchTo("Idle");
}

// ---- watching ----

void ControllerNpcStateWatchAttraction::OnBegin()
{
    const Npc* attractor = FindNpc(GetCurrentAlly());
    if (attractor == nullptr) {
        SwitchTo("Idle");
        return;
    }
    watchTime = attractor->GetAttractionTime();
    if (watchTime == 0)
        watchTime = RandomInt(kMinWatchTime, kMaxWatchTime);
}

void ControllerNpcStateWatchAttraction::OnUpdate(int32_t elapsedMs)
{
    // Nothing is left to watch once the attractor went.
    if (FindNpc(GetCurrentAlly()) == nullptr) {
        SwitchTo("Idle");
        return;
    }
    watchTime = AddSaturating(watchTime, -elapsedMs);
    if (watchTime < 0)
        SwitchTo("Idle");
}

void ControllerNpcStateWatchAttraction::OnEnd()
{
    if (Npc* attractor = FindNpc(GetCurrentAlly()))
        attractor->ReleaseDefenseSlot(GetDrivenCharacterId());
}

void ControllerNpcStateAlert::OnBegin()
{
    if (Npc* self = GetCharacter())
        self->SetChatEnable(true);
}

void ControllerNpcStateAlert::OnUpdate(int32_t /*elapsedMs*/)
{
    if (GetController()->GetSocialTarget() == 0)
        SwitchTo("Idle");
}

void ControllerNpcStateAlert::OnEnd()
{
    if (Npc* self = GetCharacter())
        self->SetChatEnable(false);
}

// ---- quest orders ----

void ControllerNpcStateQuestMove::OnBegin()
{
    Npc* self = GetCharacter();
    if (self == nullptr)
        return;
    const WorldVec3 point = GetController()->GetQuestPoint();
    if (self->CanMoveTo(point, kReachTolerance)) {
        GoTo(point);
        return;
    }
    self->SetPathPosition(point);
    SwitchTo("Idle");
}

void ControllerNpcStateQuestMove::OnEnd()
{
    if (Npc* self = GetCharacter())
        self->Enqueue(std::make_unique<QuestMoveCompletedConfigCmd>(self->GetObjectId()));
}

void ControllerNpcStateQuestPlayAnimation::OnBegin()
{
    const ControllerNpc2* controller = GetController();
    PlayAnimation(controller->GetQuestAnimation(), Name(), 1.0f,
                  controller->GetQuestAnimationLooping(), 0);
}

void ControllerNpcStateQuestPlayAnimation::OnUpdate(int32_t /*elapsedMs*/)
{
    ChatIfSpokenTo();
}

void ControllerNpcStateQuestPlayAnimation::OnEnd()
{
    if (Npc* self = GetCharacter())
        self->Enqueue(std::make_unique<QuestAnimationCompletedConfigCmd>(self->GetObjectId()));
}

void ControllerNpcStateQuestPlayAnimation::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end && !GetController()->GetQuestAnimationLooping())
        SwitchTo("Idle");
}

} // namespace GAME
