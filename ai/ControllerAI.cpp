#include "ai/ControllerAI.h"

#include "ai/ControllerAIState.h"
#include "ai/ControllerAIStatePreStart.h"
#include "characters/AttackAction.h"
#include "characters/Character.h"
#include "characters/CharacterConfigCommands.h"
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
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerAI, ControllerCombat);

namespace {

Character* FindCharacter(uint32_t id)
{
    return id != 0 ? ObjectManager::Instance().GetObject<Character>(id) : nullptr;
}

// A death that waits for the next frame must land: the switches asked after it come from a
// machine that did not know yet.
bool IsDeath(const std::string& name)
{
    return name == "Dying" || name == "Dead";
}

} // namespace

ControllerAI::ControllerAI() : startState(std::make_unique<ControllerAIStatePreStart>(this))
{
    currentState = startState.get();
}

ControllerAI::~ControllerAI() = default;

void ControllerAI::Load(const LoadTable& table)
{
    ControllerCombat::Load(table);
    viewDistance = table.GetFloat("ViewDistance", 15.0f);
}

void ControllerAI::InitialUpdate()
{
    ControllerCombat::InitialUpdate();
    RegisterStates();
    RegisterTemporaryStates();
    InitializeStates();
}

// ---- registration ----

void ControllerAI::AddState(const std::string& name, ControllerAIState* state)
{
    std::unique_ptr<ControllerAIState>& slot = states[name];
    // The replaced object may be running; the new one takes its place rather than leaving the
    // machine pointing at a deleted state.
    if (slot != nullptr && currentState == slot.get())
        currentState = state;
    slot.reset(state);
}

void ControllerAI::AddTemporaryState(const std::string& name, ControllerAIState* state)
{
    std::unique_ptr<ControllerAIState>& slot = temporaryStates[name];
    if (slot != nullptr) {
        gEngine->Log(Engine::LogInfo, "State %s is being overwritten.", name.c_str());
        for (QueuedState& entry : temporaryQueue) {
            if (entry.state == slot.get())
                entry.state = state;
        }
    }
    slot.reset(state);
}

// ---- transitions ----

void ControllerAI::SetState(const std::string& name, const ControllerAIStateData& data)
{
    ControllerAIState* state = GetState(name);
    if (state == nullptr) {
        gEngine->Log(Engine::LogRuntime, "State %s is trying to be set, but not found.",
                     name.c_str());
        return;
    }
    if (MustWait()) {
        if (!IsDeath(waiting.state) || IsDeath(name)) {
            waiting.state = name;
            waiting.data = data;
        }
        return;
    }
    if (!temporaryQueue.empty()) {
        currentStateData = data;
        currentState = state;
        return;
    }
    ControllerAIState* ending = currentState;
    if (ending != nullptr && ending != endingState) {
        EndCurrentState();
        if (currentState != ending)
            return;
    }
    const ControllerAIStateData& old = GetCurrentStateData();
    if (old.GetEnemyID() != data.GetEnemyID()) {
        const uint32_t me = GetParentId();
        if (Character* enemy = FindCharacter(old.GetEnemyID()))
            enemy->ReleaseAttackSlot(me);
        if (Character* ally = FindCharacter(old.GetAllyID()))
            ally->ReleaseDefenseSlot(me);
    }
    currentStateData = data;
    currentState = state;
    ++beginCount;
    state->OnBegin();
}

void ControllerAI::AddTemporaryState(const std::string& name, const ControllerAIStateData& data)
{
    const auto found = temporaryStates.find(name);
    if (found == temporaryStates.end()) {
        gEngine->Log(Engine::LogInfo, "Temporary State %s is trying to be set, but not found.",
                     name.c_str());
        return;
    }
    ControllerAIState* state = found->second.get();
    if (MustWait()) {
        if (!IsDeath(waiting.state))
            waiting.temporaries.emplace_back(name, data);
        return;
    }
    if (!temporaryQueue.empty()) {
        temporaryQueue.push_back({state, data, nextQueueSerial++});
        return;
    }
    if (currentState != nullptr && currentState != endingState)
        EndCurrentState();
    const uint32_t oldEnemy = GetCurrentStateData().GetEnemyID();
    if (oldEnemy != data.GetEnemyID()) {
        if (Character* enemy = FindCharacter(oldEnemy))
            enemy->ReleaseAttackSlot(GetParentId());
    }
    temporaryQueue.push_back({state, data, nextQueueSerial++});
    ++beginCount;
    state->OnBegin();
}

// A switch requested from inside OnEnd must not end the same state again, or a state that
// always switches on its way out would recurse without end.
void ControllerAI::EndCurrentState()
{
    ControllerAIState* const outer = endingState;
    endingState = currentState;
    currentState->OnEnd();
    endingState = outer;
}

// A switch waits while others of its frame wait, so that none overtakes them, and when it would
// begin a state past the frame's allowance. The first switch of a new frame makes the waiting
// ones before its own.
bool ControllerAI::MustWait()
{
    if (gEngine->GetFrameCount() != beginFrame)
        StartAllowance();
    if (!waiting.IsEmpty())
        return true;
    return temporaryQueue.empty() && !MayBeginAnother();
}

bool ControllerAI::MayBeginAnother()
{
    if (beginsThisFrame < kMaxBeginsPerFrame) {
        ++beginsThisFrame;
        return true;
    }
    if (!endlessSwitchTold) {
        endlessSwitchTold = true;
        const Character* character = GetCharacter();
        gEngine->Log(Engine::LogRuntime,
                     "%s switches state without end within a frame; its further switches wait "
                     "for the next frame",
                     character != nullptr ? character->GetObjectName().c_str() : "A controller");
    }
    return false;
}

// Counted per frame and per update, so that a machine driven without frames still gets a fresh
// allowance each time it updates.
void ControllerAI::StartAllowance()
{
    beginFrame = gEngine->GetFrameCount();
    beginsThisFrame = 0;
    MakeWaitingSwitches();
}

// Taken out first: a switch made here that runs past the allowance again waits anew.
void ControllerAI::MakeWaitingSwitches()
{
    if (waiting.IsEmpty())
        return;
    const WaitingSwitches made = std::move(waiting);
    waiting = WaitingSwitches();
    if (!made.state.empty())
        SetState(made.state, made.data);
    for (const auto& [name, data] : made.temporaries)
        AddTemporaryState(name, data);
}

void ControllerAI::ClearTemporaryStates()
{
    temporaryQueue.clear();
    waiting.temporaries.clear();
}

void ControllerAI::GoToIdleState()
{
    SetState("Idle", ControllerAIStateData());
}

// ---- queries ----

ControllerAIState* ControllerAI::GetState(const std::string& name) const
{
    const auto found = states.find(name);
    return found != states.end() ? found->second.get() : nullptr;
}

ControllerAIState* ControllerAI::GetExecutingState() const
{
    return temporaryQueue.empty() ? currentState : temporaryQueue.front().state;
}

const char* ControllerAI::GetExecutingStateName() const
{
    const ControllerAIState* executing = GetExecutingState();
    if (executing == nullptr)
        return nullptr;
    for (const StateMap* map : {&states, &temporaryStates}) {
        for (const auto& [name, state] : *map) {
            if (state.get() == executing)
                return name.c_str();
        }
    }
    return nullptr;
}

const ControllerAIStateData& ControllerAI::GetCurrentStateData() const
{
    for (const QueuedState& entry : temporaryQueue) {
        if (!entry.state->Done())
            return entry.data;
    }
    return currentStateData;
}

bool ControllerAI::IsMoving() const
{
    const Character* character = GetCharacter();
    return character != nullptr && character->IsMoving();
}

void ControllerAI::SetQuestAnimation(AnimationSet_Type type, bool looping)
{
    questAnimation = type;
    questAnimationLooping = looping;
}

// ---- the frame ----

void ControllerAI::Update(int32_t elapsedMs)
{
    ControllerCombat::Update(elapsedMs);
    StartAllowance();
    RunDoneTemporaries();
    if (ControllerAIState* executing = GetExecutingState())
        executing->OnUpdate(elapsedMs);
    if (conversationDisinterest > 0)
        conversationDisinterest -= elapsedMs;
}

// An OnEnd may clear or refill the queue, or switch state itself. The ended entry is removed
// only while it still stands at the front, and the next state begins here only when OnEnd did
// not begin one already.
void ControllerAI::RunDoneTemporaries()
{
    while (!temporaryQueue.empty() && temporaryQueue.front().state->Done()) {
        ControllerAIState* ended = temporaryQueue.front().state;
        const uint64_t serial = temporaryQueue.front().serial;
        const uint64_t beginsBefore = beginCount;
        ended->OnEnd();
        ended->SetDone(false);
        const bool stillFront = !temporaryQueue.empty() && temporaryQueue.front().serial == serial;
        if (stillFront)
            temporaryQueue.pop_front();
        if (stillFront || beginCount == beginsBefore) {
            if (ControllerAIState* next = GetExecutingState()) {
                ++beginCount;
                next->OnBegin();
            }
        }
    }
}

void ControllerAI::DebugRender()
{
    ControllerCombat::DebugRender();
    const char* name = GetExecutingStateName();
    if (name == nullptr)
        return;
    PushDebugRenderText(name);
    GetExecutingState()->DebugRender();
}

// ---- actions ----

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

// ---- config commands ----

void ControllerAI::RemoveTrap()
{
    Send(std::make_unique<ReleaseTrapConfigCmd>(GetParentId()));
}

void ControllerAI::SetCausesAnger(bool flag)
{
    Send(std::make_unique<SetCausesAngerConfigCmd>(GetParentId(), flag));
}

void ControllerAI::SetInvincible(bool flag)
{
    Send(std::make_unique<SetInvincibleConfigCmd>(GetParentId(), flag));
}

void ControllerAI::SetTeam(const Team& team)
{
    Send(std::make_unique<SetTeamConfigCmd>(GetParentId(), team));
}

// ---- notifications ----

void ControllerAI::HandleEvent(const Name& event)
{
    ControllerCombat::HandleEvent(event);
    if (ControllerAIState* state = GetExecutingState())
        state->HandleEvent(event);
}

void ControllerAI::LowHealth()
{
    if (ControllerAIState* state = GetExecutingState())
        state->LowHealth();
}

void ControllerAI::EndOfPathReached()
{
    if (ControllerAIState* state = GetExecutingState())
        state->EndOfPathReached();
}

void ControllerAI::LostSlot()
{
    if (ControllerAIState* state = GetExecutingState())
        state->LostSlot();
}

void ControllerAI::ProjectileNotification(uint32_t projectileId)
{
    if (ControllerAIState* state = GetExecutingState())
        state->ProjectileNotification(projectileId);
}

void ControllerAI::ProjectileCollisionCallback(const ProjectileInfo& info,
                                               const CollisionData& data)
{
    if (ControllerAIState* state = GetExecutingState())
        state->ProjectileCollisionCallback(info, data);
}

void ControllerAI::StunMe(float seconds)
{
    if (ControllerAIState* state = GetExecutingState())
        state->StunMe(seconds);
}

void ControllerAI::UnderAttack(uint32_t attackerId)
{
    if (ControllerAIState* state = GetExecutingState())
        state->Attacked(attackerId);
}

void ControllerAI::AllyAttacked(uint32_t allyId, uint32_t attackerId)
{
    if (ControllerAIState* state = GetExecutingState())
        state->AllyAttacked(allyId, attackerId);
}

void ControllerAI::CharacterIsDying()
{
    if (ControllerAIState* state = GetExecutingState())
        state->CharacterIsDying();
}

void ControllerAI::CharacterIsDead()
{
    if (ControllerAIState* state = GetExecutingState())
        state->CharacterIsDead();
}

void ControllerAI::Panic(uint32_t sourceId)
{
    if (ControllerAIState* state = GetExecutingState())
        state->Panic(sourceId);
}

void ControllerAI::WakeUp(uint32_t sourceId)
{
    if (ControllerAIState* state = GetExecutingState())
        state->WakeUp(sourceId);
}

void ControllerAI::RequestAttack(uint32_t targetId, uint32_t skillId)
{
    if (ControllerAIState* state = GetExecutingState())
        state->RequestAttack(targetId, skillId);
}

void ControllerAI::RequestMove(uint32_t targetId, const WorldVec3& point)
{
    if (ControllerAIState* state = GetExecutingState())
        state->RequestMove(targetId, point);
}

bool ControllerAI::RequestConversation(uint32_t partnerId)
{
    ControllerAIState* state = GetExecutingState();
    return state != nullptr && state->RequestConversation(partnerId);
}

bool ControllerAI::IsAvailableForSidelineConversations()
{
    if (conversationDisinterest > 0)
        return false;
    ControllerAIState* state = GetExecutingState();
    return state != nullptr && state->IsAvailableForSidelineConversations();
}

void ControllerAI::RequestSidelineConversation(const WorldVec3& point)
{
    if (ControllerAIState* state = GetExecutingState())
        state->RequestSidelineConversation(point);
}

void ControllerAI::NotifySidelineDialogThread()
{
    if (ControllerAIState* state = GetExecutingState())
        state->NotifySidelineDialogThread();
}

void ControllerAI::NotifySidelineConversationEnd()
{
    if (ControllerAIState* state = GetExecutingState())
        state->NotifySidelineConversationEnd();
}

void ControllerAI::QuestCommandMove(uint32_t targetId, const WorldVec3& point, bool flag)
{
    allowQuestInterruptions = flag;
    if (ControllerAIState* state = GetExecutingState())
        state->QuestCommandMove(targetId, point);
}

void ControllerAI::QuestCommandWalk(uint32_t targetId, const WorldVec3& point, bool flag)
{
    allowQuestInterruptions = flag;
    if (ControllerAIState* state = GetExecutingState())
        state->QuestCommandWalk(targetId, point);
}

void ControllerAI::QuestCommandPlayAnimation(AnimationSet_Type type, bool looping, bool flag)
{
    allowQuestInterruptions = flag;
    if (ControllerAIState* state = GetExecutingState())
        state->QuestCommandPlayAnimation(type, looping);
}

void ControllerAI::QuestCommandUseSkill(uint32_t skillId, uint32_t targetId, bool flag)
{
    allowQuestInterruptions = flag;
    if (ControllerAIState* state = GetExecutingState())
        state->QuestCommandUseSkill(skillId, targetId);
}

} // namespace GAME
