#pragma once

#include "ai/ControllerAIStateData.h"
#include "ai/ControllerCombat.h"
#include "engine/WorldVec3.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

class Character;
class CollisionData;
class ControllerAIState;
class ControllerAIStatePreStart;
class LoadTable;
class Name;
class ProjectileInfo;
class Team;
enum AnimationSet_Type : int32_t;

// The thinking controllers' base: a machine of named states. One state is current; a queue of
// temporary states may stand in front of it, and the front one executes. Every notification
// goes to the executing state.
class ControllerAI : public ControllerCombat {
    GAME_DECLARE_CLASS(ControllerAI)

public:
    ControllerAI();
    ~ControllerAI() override;

    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    void Update(int32_t elapsedMs) override;
    void DebugRender() override;

    // Registration, from the controller's own RegisterStates / RegisterTemporaryStates. The
    // controller owns the state from then on; a state under the same name is deleted first.
    void AddState(const std::string& name, ControllerAIState* state);
    void AddTemporaryState(const std::string& name, ControllerAIState* state);

    // Transitions. Past kMaxBeginsPerFrame begins in one frame a machine is handing over
    // without end (a move that ends as it starts, say): the switches asked after that wait, and
    // are made when the next frame starts (at this controller's first switch or update in it,
    // whichever comes first), in the order asked. Of the waiting ones only what the machine
    // would have ended in is kept: the last SetState and the temporaries queued with it. A
    // waiting "Dying" or "Dead" is never replaced by a later switch to a state of the living.
    static constexpr uint32_t kMaxBeginsPerFrame = 32;
    void SetState(const std::string& name, const ControllerAIStateData& data);
    void AddTemporaryState(const std::string& name, const ControllerAIStateData& data);
    // Drops the queued temporaries, waiting ones too, without ending them.
    void ClearTemporaryStates();
    virtual void GoToIdleState();

    // Queries.
    ControllerAIState* GetState(const std::string& name) const;
    ControllerAIState* GetExecutingState() const;
    // Null when the executing state is not registered under any name.
    const char* GetExecutingStateName() const;
    const ControllerAIStateData& GetCurrentStateData() const;
    uint32_t GetCurrentEnemy() const { return GetCurrentStateData().GetEnemyID(); }
    uint32_t GetCurrentAlly() const { return GetCurrentStateData().GetAllyID(); }
    uint32_t GetCurrentSkillID() const { return GetCurrentStateData().GetSkillID(); }
    WorldVec3 GetCurrentPointOfInterest() const
    {
        return GetCurrentStateData().GetPointOfInterest();
    }
    Character* GetAI() const { return GetCharacter(); }
    bool IsMoving() const;
    float GetViewDistance() const { return viewDistance; }
    int32_t GetStunTime() const { return static_cast<int32_t>(stunTime); }
    size_t GetTemporaryQueueSize() const { return temporaryQueue.size(); }
    int32_t GetConversationDisinterest() const { return conversationDisinterest; }

    void SetStunTime(int32_t value) { stunTime = static_cast<float>(value); }
    void SetConversationDisinterest(int32_t ms) { conversationDisinterest = ms; }
    void SetQuestAnimation(AnimationSet_Type type, bool looping);
    AnimationSet_Type GetQuestAnimation() const { return questAnimation; }
    bool GetQuestAnimationLooping() const { return questAnimationLooping; }
    bool GetAllowQuestInterruptions() const { return allowQuestInterruptions; }
    void SetQuestPoint(const WorldVec3& point) { questPoint = point; }
    const WorldVec3& GetQuestPoint() const { return questPoint; }
    void SetMoveTerrainPoint(const WorldVec3& point) { moveTerrainPoint = point; }
    const WorldVec3& GetMoveTerrainPoint() const { return moveTerrainPoint; }

    // Actions for the driven character.
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

    // Config commands, replicated through the character's queue.
    void RemoveTrap();
    void SetCausesAnger(bool flag);
    void SetInvincible(bool flag);
    void SetTeam(const Team& team);

    // Notifications, each handed to the executing state.
    void HandleEvent(const Name& event) override;
    void LowHealth() override;
    void EndOfPathReached() override;
    void LostSlot() override;
    void ProjectileNotification(uint32_t projectileId) override;
    void ProjectileCollisionCallback(const ProjectileInfo& info,
                                     const CollisionData& data) override;
    void StunMe(float seconds) override;
    void UnderAttack(uint32_t attackerId) override;
    void AllyAttacked(uint32_t allyId, uint32_t attackerId) override;
    void CharacterIsDying() override;
    void CharacterIsDead() override;
    virtual void Panic(uint32_t sourceId);
    virtual void WakeUp(uint32_t sourceId);
    virtual void RequestAttack(uint32_t targetId, uint32_t skillId);
    virtual void RequestMove(uint32_t targetId, const WorldVec3& point);
    virtual bool RequestConversation(uint32_t partnerId);
    // Refused without asking while the character is still disinterested.
    virtual bool IsAvailableForSidelineConversations();
    virtual void RequestSidelineConversation(const WorldVec3& point);
    virtual void NotifySidelineDialogThread();
    virtual void NotifySidelineConversationEnd();
    // Each keeps its last flag (whether the quest lets itself be interrupted) first.
    virtual void QuestCommandMove(uint32_t targetId, const WorldVec3& point, bool flag);
    virtual void QuestCommandWalk(uint32_t targetId, const WorldVec3& point, bool flag);
    virtual void QuestCommandPlayAnimation(AnimationSet_Type type, bool looping, bool flag);
    virtual void QuestCommandUseSkill(uint32_t skillId, uint32_t targetId, bool flag);

    // After the driven character's team changed; nothing to re-think at this layer.
    virtual void TeamChanged() {}

    // ---- queries (aiqueries) begin ----
    // Target pickers; the list is not changed, and an empty one gives null. The first of equals
    // wins.
    Character* FindClosest(const std::vector<Character*>& candidates) const;
    static Character* FindStrongest(const std::vector<Character*>& candidates);
    // Lowest share of maximum life, below full; null when none is hurt.
    static Character* FindWeakest(const std::vector<Character*>& candidates);
    static Character* FindMostVulnerable(const std::vector<Character*>& candidates);
    // ---- queries (aiqueries) end ----

protected:
    // Each thinking controller registers its states here, then makes its first SetState.
    virtual void RegisterStates() {}
    virtual void RegisterTemporaryStates() {}
    virtual void InitializeStates() {}

private:
    using StateMap = std::map<std::string, std::unique_ptr<ControllerAIState>>;
    struct QueuedState {
        ControllerAIState* state;
        ControllerAIStateData data;
        uint64_t serial; // tells a re-queued state from the entry that ended
    };

    // The switches past the frame's bound, by name: a state may be registered anew meanwhile.
    struct WaitingSwitches {
        std::string state; // empty when no SetState waits
        ControllerAIStateData data;
        std::vector<std::pair<std::string, ControllerAIStateData>> temporaries;
        bool IsEmpty() const { return state.empty() && temporaries.empty(); }
    };

    void RunDoneTemporaries();
    void EndCurrentState();
    bool MustWait();
    bool MayBeginAnother();
    void StartAllowance();
    void MakeWaitingSwitches();

    int32_t conversationDisinterest = 0;
    StateMap states;
    ControllerAIState* currentState = nullptr;
    ControllerAIStateData currentStateData;
    StateMap temporaryStates;
    std::list<QueuedState> temporaryQueue;
    float viewDistance = 20.0f;
    float stunTime = 0.0f;
    std::unique_ptr<ControllerAIStatePreStart> startState;
    WorldVec3 questPoint;
    AnimationSet_Type questAnimation{};
    bool allowQuestInterruptions = false;
    bool questAnimationLooping = false;
    WorldVec3 moveTerrainPoint;
    uint64_t nextQueueSerial = 0;
    // Counts OnBegin calls, so that the done loop sees whether an OnEnd began a state itself.
    uint64_t beginCount = 0;
    // The state whose OnEnd is running, if any.
    ControllerAIState* endingState = nullptr;
    // Begins since the frame `beginFrame` started or this controller last updated.
    uint32_t beginFrame = 0;
    uint32_t beginsThisFrame = 0;
    WaitingSwitches waiting;
    bool endlessSwitchTold = false;
};

} // namespace GAME
