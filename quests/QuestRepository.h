#pragma once

#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/Name.h"
#include "quests/ConditionId.h"
#include "quests/GameEvent_Reward.h"
#include "quests/QuestEvents.h"
#include "quests/QuestNetMsg.h"
#include "quests/QuestRewardEntry.h"
#include "quests/QuestTriggerEntry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace GAME {

class Condition_ConversationStart;
class Condition_EnterVolume;
class CreatureDeathListener;
class CreatureInitialUpdateListener;
class GenericEntityInitialUpdateListener;
class IOStream;
class IOStreamRead;
class Quest;
class QuestStateSaveThread;
struct QuestSaveFailure;
struct QuestSaveJob;
class Trigger;
class TriggerAction;
class TriggerCondition;

// The one registry of the quests of the loaded world: which triggers have fired, which quests
// the player has taken up, the rewards given, the switch that holds quest actions back while a
// conversation runs, the routing of game events to quest listeners by record name, and the
// quest state files.
class QuestRepository {
public:
    // A world holds at most this many quests: the index sits in the top byte of every id.
    static constexpr size_t kMaxQuests = 256;
    enum ReadWrite { Read = 0, Write = 1 };

    // Created on first use.
    static QuestRepository& Get();
    // Null when none exists; for destructors, which must not create one.
    static QuestRepository* GetIfExists() { return instance; }
    // Deletes the instance; the next `Get` makes a fresh one.
    static void Destroy();

    virtual ~QuestRepository();
    QuestRepository(const QuestRepository&) = delete;
    QuestRepository& operator=(const QuestRepository&) = delete;

    // Reads every quest file the world lists, once each. False when one could not be read or is
    // damaged: it is left out, and logged, or when `why` is given told there instead (the
    // first).
    bool Load(std::string* why = nullptr);
    // What keeps a loaded quest of the world from ever being played as designed: a trigger
    // class the game does not have, or a record the database lacks (the first met); "" when
    // none. Loading only logs the one and passes over the other.
    std::string FindDesignFault() const;
    // Null for a handle of no quest held.
    Quest* GetQuest(const Name& handle) const;
    size_t GetNumQuests() const { return quests.size(); }
    Quest* GetQuestByIndex(size_t index) const;
    bool IsQuestActive(const Name& handle) const;
    // Appends unless present.
    void AddActiveQuest(const Name& handle);
    const std::vector<Name>& GetActiveQuestList() const { return activeQuests; }
    const std::vector<Trigger*>& GetActiveTriggers() const { return activeTriggers; }

    // Fires the recorded triggers again, in firing order, after a game is loaded. Entries whose
    // quest, step or trigger no longer exists are skipped.
    void FireTriggers();
    // Announces every recorded reward again as a simulated "GameEvent_Reward".
    void SimulateRewards();
    // Re-evaluates the active triggers, then releases held actions unless holding is on.
    void Update(int ms);

    // Holds back every action that may wait, or fires it now.
    void FireAction(TriggerAction* action, uint32_t id);
    void EnableDelayedActions(bool enable) { delayedActionsOn = enable; }
    bool IsDelayedActionsEnabled() const { return delayedActionsOn; }
    // Turns holding off and fires what was held, in order.
    void FlushDelayedActions();
    size_t GetNumDelayedActions() const { return delayedActions.size(); }
    void EnableDebugging(bool enable) { debuggingEnabled = enable; }
    bool IsDebuggingEnabled() const { return debuggingEnabled; }

    // The id's bytes, most significant first: quest index, step, trigger, action. Null when any
    // of them names nothing.
    TriggerAction* FindActionById(uint32_t id) const;

    // Appends unless an equal entry is recorded.
    void AddTrigger(const Name& quest, int32_t step, int32_t trigger, uint32_t target);
    void ClearTriggers() { firedTriggers.clear(); }
    const std::vector<QuestTriggerEntry>& GetFiredTriggers() const { return firedTriggers; }

    // The quest's state did not load: it is saved anew and its repository entries dropped.
    void BadQuestState(Quest* quest);
    void RegisterConditionSatisfied(ConditionId id);
    const std::set<ConditionId>& GetSatisfiedConditions() const { return satisfiedConditions; }
    void ClearSatisfiedConditions() { satisfiedConditions.clear(); }
    void DetectUnsolvableQuests(bool wholeSet);
    // Adds the set to the satisfied conditions and looks for quests that can no longer be won.
    void RecvConditionSet(const std::set<ConditionId>& received);
    // A condition id as at most eight hexadecimal digits; false for anything else.
    bool CompleteCondition(const char* hexId);

    // Quest news between machines.
    void SendNetMsg(const QuestNetMsg* message, uint32_t target);
    // Goes out after the held actions, whenever held work is released.
    void SendDelayedNetMsg(const QuestNetMsg* message, uint32_t target);
    size_t GetNumDelayedMessages() const { return delayedMessages.size(); }
    void RecvNetMsg(const std::vector<uint32_t>& words);
    void RecvNetMsg(const QuestNetMsg* message);
    void SendConditionSet(uint32_t target);
    void RecvConditionSet(const std::vector<uint32_t>& words);
    void SendProxySpawnList(uint32_t target);
    const std::vector<QuestNetMsg_ProxySpawn>& GetProxySpawns() const { return proxySpawns; }
    void RequestClientData();
    // The condition the id names, or null when any of its four bytes names nothing.
    TriggerCondition* FindConditionById(uint32_t id) const;

    void AddConversationStart(const std::string& personRecord,
                              Condition_ConversationStart* listener);
    void AddEnterBoundingVolume(const std::string& volumeName, Condition_EnterVolume* listener);
    void AddCompleteQuestNow(const Name& quest, Quest* listener);
    void AddCreatureInitialUpdate(const std::string& record,
                                  CreatureInitialUpdateListener* listener);
    void AddGenericEntityInitialUpdate(const std::string& record,
                                       GenericEntityInitialUpdateListener* listener);
    void AddCreatureDeath(const std::string& record, CreatureDeathListener* listener);
    // Out of every map and list, when the object goes.
    void ForgetListener(const CreatureDeathListener* listener);
    void ForgetListener(const CreatureInitialUpdateListener* listener);
    void ForgetListener(const GenericEntityInitialUpdateListener* listener);
    void ForgetListener(const Condition_ConversationStart* listener);
    void ForgetListener(const Condition_EnterVolume* listener);
    void ForgetQuest(const Quest* quest);
    void ForgetTrigger(const Trigger* trigger);

    void OnConversationBegin(const GameEvent_GenericEntity& event);
    void OnEnterBoundingVolume(const GameEvent_EnterBoundingVolume& event);
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message);
    void OnCompleteQuestNow(const GameEvent_CompleteQuestNow& event);
    void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event);
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event);
    void OnCreatureDeath(const GameEvent_CreatureDeath& event);
    // Records a reward unless the event is a simulated replay.
    void OnReward(const GameEvent_Reward& event);
    const std::vector<QuestRewardEntry>& GetRewards() const { return rewards; }

    // One quest's state file in either direction.
    void StreamQuestState(IOStream* stream, Quest* quest);
    // A stored state, restored only when it is whole: its digest matches, or, written before
    // digests were kept, it ends with its block. Otherwise the quest keeps its design state, as
    // for a stale file.
    void ReadQuestState(IOStreamRead& stream, Quest* quest);
    // The stored repository file, checked the same way; false, with nothing read, when it is
    // missing or not whole.
    bool ReadProperties(IOStreamRead& stream);
    void StreamQuestProperties(const std::string& folder, ReadWrite mode);
    // The repository file in either direction; rebuilds the active triggers.
    void StreamProperties(IOStream* stream);
    // False when a file was missing, stale or damaged: what it held is then the design's.
    bool LoadQuestState(const std::string& folder, const std::string& name);
    // In the background the game thread only turns the state into bytes; the thread writes them.
    void SaveQuestState(const std::string& folder, const std::string& name, bool inBackground);
    // Returns once no background save is waiting or running.
    void WaitDone();
    // The state files that could not be written since the repository was made, the
    // background's counted once it has been waited for.
    uint32_t GetFailedWrites() const { return failedWrites; }
    // "%08x%08x%08x%08x.que" of the quest's handle.
    static std::string StateFileName(const Quest& quest);
    // The same for the quest that `questFile` would load, known before it is loaded.
    static std::string StateFileName(const std::string& questFile);

    // Forgets the quest state and sends "GameEvent_QuestReset".
    void Reset();

private:
    QuestRepository();

    // Hashed: a death looks its record up among every creature record a quest names.
    template <typename Listener>
    using ListenerMap = std::unordered_map<std::string, std::vector<Listener*>>;

    bool LoadQuestFile(const std::string& worldPath, std::string* why);
    void RebuildActiveTriggers();
    void FireDelayedActions();
    // A spawn pool's placement, announced to every machine and kept for late joiners.
    void AnnounceProxySpawn(const GameEvent_GenericEntity& event);
    // The allies' side of a received message; `fromMe` when this machine sent it.
    void HandleAllyMessage(const QuestNetMsg& message, TriggerCondition* condition, bool fromMe);
    void HandleStrangerMessage(const QuestNetMsg& message, TriggerCondition* condition);
    bool IsBadQuest(const Name& handle) const;
    void StreamFiredTriggers(IOStream* stream);
    void StreamRewards(IOStream* stream);
    QuestSaveJob MakeSaveJob(const std::string& folder, const std::string& name);
    // Logs what the save thread could not write and marks those quests for the next save.
    void CollectSaveFailures();
    void NoteSaveFailures(const std::vector<QuestSaveFailure>& failures);

    static QuestRepository* instance;

    std::unique_ptr<QuestStateSaveThread> saveThread;
    std::vector<std::unique_ptr<Quest>> quests;
    std::vector<QuestTriggerEntry> firedTriggers;
    std::vector<Trigger*> activeTriggers;
    std::vector<Name> activeQuests;
    std::set<ConditionId> satisfiedConditions;
    std::vector<Name> badQuests;
    std::vector<std::pair<TriggerAction*, uint32_t>> delayedActions;
    bool delayedActionsOn = false;
    std::vector<std::pair<std::unique_ptr<QuestNetMsg>, uint32_t>> delayedMessages;
    std::vector<QuestNetMsg_ProxySpawn> proxySpawns;
    ListenerMap<Condition_ConversationStart> conversationListeners;
    ListenerMap<Condition_EnterVolume> enterVolumeListeners;
    bool debuggingEnabled = false;
    std::map<Name, std::vector<Quest*>> completeNowListeners;
    ListenerMap<CreatureInitialUpdateListener> creatureInitialUpdateListeners;
    ListenerMap<GenericEntityInitialUpdateListener> entityInitialUpdateListeners;
    ListenerMap<CreatureDeathListener> creatureDeathListeners;
    std::vector<QuestRewardEntry> rewards;
    uint32_t failedWrites = 0;
    EventHandler<QuestRepository, GameEvent_GenericEntity> conversationHandler;
    EventHandler<QuestRepository, GameEvent_CompleteQuestNow> completeNowHandler;
    EventHandler<QuestRepository, GameEvent_CreatureInitialUpdate> creatureInitialUpdateHandler;
    EventHandler<QuestRepository, GameEvent_EnterBoundingVolume> enterVolumeHandler;
    EventHandler<QuestRepository, GameEvent_GenericEntity> entityInitialUpdateHandler;
    EventHandler<QuestRepository, GameEvent_CreatureDeath> creatureDeathHandler;
    EventHandler<QuestRepository, GameEvent_Reward> rewardHandler;
};

} // namespace GAME
