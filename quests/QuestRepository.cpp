#include "quests/QuestRepository.h"

#include "engine/EventManager.h"

#include <algorithm>

namespace GAME {

// A plain pointer rather than a static object: the repository's event handler must unregister
// while the event manager still exists, which only an explicit `Destroy` guarantees.
QuestRepository* QuestRepository::instance = nullptr;

QuestRepository& QuestRepository::Get()
{
    if (instance == nullptr)
        instance = new QuestRepository();
    return *instance;
}

void QuestRepository::Destroy()
{
    delete instance;
    instance = nullptr;
}

QuestRepository::QuestRepository()
    : rewardHandler("GameEvent_Reward", &QuestRepository::OnReward, this)
{}

QuestRepository::~QuestRepository() = default;

Quest* QuestRepository::GetQuest(const Name&) const
{
    // Quests arrive with the world's quest files; until then no handle names one.
    return nullptr;
}

bool QuestRepository::IsQuestActive(const Name& handle) const
{
    return std::find(activeQuests.begin(), activeQuests.end(), handle) != activeQuests.end();
}

void QuestRepository::AddActiveQuest(const Name& handle)
{
    if (!IsQuestActive(handle))
        activeQuests.push_back(handle);
}

void QuestRepository::FireTriggers()
{
    // Each entry fires again through its quest, found by handle. No quest is held before the
    // world's quest files load, so every entry is skipped, as those of vanished quests are.
}

void QuestRepository::SimulateRewards()
{
    // By index: a listener may announce a new reward while the replay runs.
    const size_t count = rewards.size();
    for (size_t i = 0; i < count; ++i) {
        GameEvent_Reward event;
        event.simulated = true;
        event.reward = rewards[i];
        rewardHandler.SendEvent(&event);
    }
}

void QuestRepository::Update(int)
{
    // A frame re-evaluates the active triggers and releases the actions held back; both belong
    // to loaded quests, so without them there is nothing to advance.
}

TriggerAction* QuestRepository::FindActionById(uint32_t) const
{
    // The top byte is an index into the quests held, and none is.
    return nullptr;
}

void QuestRepository::AddTrigger(const Name& quest, int32_t step, int32_t trigger, uint32_t target)
{
    const QuestTriggerEntry entry{quest, step, trigger, target};
    if (std::find(firedTriggers.begin(), firedTriggers.end(), entry) == firedTriggers.end())
        firedTriggers.push_back(entry);
}

void QuestRepository::OnReward(const GameEvent_Reward& event)
{
    if (!event.simulated)
        rewards.push_back(event.reward);
}

void QuestRepository::Reset()
{
    firedTriggers.clear();
    activeQuests.clear();
    delayedActionsOn = false;
    rewards.clear();
    EventManager::Instance().Send("GameEvent_QuestReset", GameEvent());
}

} // namespace GAME
