#pragma once

#include "engine/EventHandler.h"
#include "engine/Name.h"
#include "quests/GameEvent_Reward.h"
#include "quests/QuestRewardEntry.h"
#include "quests/QuestTriggerEntry.h"

#include <cstdint>
#include <vector>

namespace GAME {

class Quest;
class TriggerAction;

// The one registry of the quests of the loaded world: which triggers have fired, which quests
// the player has taken up, the rewards given, and the switch that holds quest actions back while
// a conversation runs.
class QuestRepository {
public:
    // Created on first use.
    static QuestRepository& Get();
    // Deletes the instance; the next `Get` makes a fresh one.
    static void Destroy();

    virtual ~QuestRepository();
    QuestRepository(const QuestRepository&) = delete;
    QuestRepository& operator=(const QuestRepository&) = delete;

    // Null for a handle of no quest held.
    Quest* GetQuest(const Name& handle) const;
    bool IsQuestActive(const Name& handle) const;
    // Appends unless present.
    void AddActiveQuest(const Name& handle);
    const std::vector<Name>& GetActiveQuestList() const { return activeQuests; }

    // Fires the recorded triggers again, in firing order, after a game is loaded. Entries whose
    // quest, step or trigger no longer exists are skipped.
    void FireTriggers();
    // Announces every recorded reward again as a simulated "GameEvent_Reward".
    void SimulateRewards();
    void Update(int ms);

    void EnableDelayedActions(bool enable) { delayedActionsOn = enable; }
    bool IsDelayedActionsEnabled() const { return delayedActionsOn; }
    void EnableDebugging(bool enable) { debuggingEnabled = enable; }
    bool IsDebuggingEnabled() const { return debuggingEnabled; }

    // The id's bytes, most significant first: quest index, step, trigger, action. Null when any
    // of them names nothing.
    TriggerAction* FindActionById(uint32_t id) const;

    // Appends unless an equal entry is recorded.
    void AddTrigger(const Name& quest, int32_t step, int32_t trigger, uint32_t target);
    void ClearTriggers() { firedTriggers.clear(); }
    const std::vector<QuestTriggerEntry>& GetFiredTriggers() const { return firedTriggers; }

    // Records a reward unless the event is a simulated replay.
    void OnReward(const GameEvent_Reward& event);
    const std::vector<QuestRewardEntry>& GetRewards() const { return rewards; }

    // Forgets the quest state and sends "GameEvent_QuestReset".
    void Reset();

private:
    QuestRepository();

    static QuestRepository* instance;

    std::vector<QuestTriggerEntry> firedTriggers;
    std::vector<Name> activeQuests;
    bool delayedActionsOn = false;
    bool debuggingEnabled = false;
    std::vector<QuestRewardEntry> rewards;
    EventHandler<QuestRepository, GameEvent_Reward> rewardHandler;
};

} // namespace GAME
