#include "quests/QuestRepository.h"

#include "core/StringHelpers.h"
#include "engine/Crc32.h"
#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/FileSystem.h"
#include "engine/IOStreamRead.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/TriggerAction.h"
#include "engine/TriggerCondition.h"
#include "engine/World.h"
#include "quests/Quest.h"
#include "quests/QuestStateSaveThread.h"
#include "quests/QuestStep.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace GAME {

// A plain pointer rather than a static object: the repository's event handlers must unregister
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
    // Cleared first, so the quests going down do not call back into a half-destroyed object.
    QuestRepository* doomed = instance;
    instance = nullptr;
    delete doomed;
}

QuestRepository::QuestRepository()
    : saveThread(std::make_unique<QuestStateSaveThread>()),
      conversationHandler("GameEvent_ConversationBegin", &QuestRepository::OnConversationBegin,
                          this),
      completeNowHandler("GameEvent_CompleteQuestNow", &QuestRepository::OnCompleteQuestNow, this),
      creatureInitialUpdateHandler("GameEvent_CreatureInitialUpdate",
                                   &QuestRepository::OnCreatureInitialUpdate, this),
      enterVolumeHandler("GameEvent_EnterBoundingVolume", &QuestRepository::OnEnterBoundingVolume,
                         this),
      entityInitialUpdateHandler("GameEvent_GenericEntityInitialUpdate",
                                 &QuestRepository::OnGenericEntityInitialUpdate, this),
      creatureDeathHandler("GameEvent_CreatureDeath", &QuestRepository::OnCreatureDeath, this),
      rewardHandler("GameEvent_Reward", &QuestRepository::OnReward, this)
{}

QuestRepository::~QuestRepository()
{
    saveThread.reset(); // writes what was asked for, then ends
    quests.clear();
}

bool QuestRepository::Load(std::string* why)
{
    const World* world = gEngine->GetWorld();
    if (world == nullptr)
        return true;
    bool all = true;
    std::string later;
    for (int32_t i = 0; i < world->GetNumQuestFiles(); ++i)
        all = LoadQuestFile(world->GetQuestFile(i),
                            why == nullptr ? nullptr : (all ? why : &later)) &&
              all;
    RebuildActiveTriggers();
    return all;
}

bool QuestRepository::LoadQuestFile(const std::string& worldPath, std::string* why)
{
    const std::string path = NormalizeFileName(worldPath);
    const Name handle = Name::Create(path);
    if (GetQuest(handle) != nullptr)
        return true;
    const std::string named = "quest file '" + worldPath + "' ";
    if (quests.size() >= kMaxQuests) {
        if (why != nullptr)
            *why = named + "refused: a world holds at most " + std::to_string(kMaxQuests);
        else
            gEngine->Log(Engine::LogData, "Quest file %s refused: a world holds at most %zu quests",
                         worldPath.c_str(), kMaxQuests);
        return false;
    }
    std::string bytes;
    if (!ObjectManager::Instance().GetDatabase().ReadFile(path, bytes) &&
        FileSystem::ReadWholeFile(worldPath, IOStreamRead::kMaxFileBytes, bytes) !=
            FileSystem::ReadResult::Done) {
        if (why != nullptr)
            *why = named + "could not be opened";
        else
            gEngine->Log(Engine::LogData, "Quest file %s could not be opened", worldPath.c_str());
        return false;
    }
    IOStreamRead stream(path, IOStream::TypeDesign);
    std::unique_ptr<Quest> quest = Quest::Spawn(uint32_t(quests.size()) << 24);
    quest->SetCRC(Crc32(bytes.data(), bytes.size()));
    const bool read = stream.IsOpen() && quest->Serialize(&stream);
    stream.Shutdown();
    if (!read) {
        if (why != nullptr)
            *why = named + "is damaged";
        else
            gEngine->Log(Engine::LogData, "Quest file %s is damaged and was skipped",
                         worldPath.c_str());
        return false;
    }
    quest->SetHandle(handle, path);
    quests.push_back(std::move(quest));
    return true;
}

namespace {

std::string TriggerFault(const Trigger& trigger)
{
    if (trigger.HasUnknownClass())
        return "a trigger class the game does not have, '" + trigger.GetUnknownClass() + "'";
    std::vector<std::string> records;
    for (int32_t i = 0; i < trigger.GetNumConditions(); ++i)
        trigger.GetConditionAtIdx(i)->GetRecordNames(records);
    for (int32_t i = 0; i < trigger.GetNumActions(); ++i)
        trigger.GetActionAtIdx(i)->GetRecordNames(records);
    Database& database = ObjectManager::Instance().GetDatabase();
    for (const std::string& record : records) {
        if (!record.empty() && !database.LoadTableFile(record))
            return "a record the database lacks, '" + record + "'";
    }
    return "";
}

std::string QuestFault(const Quest& quest)
{
    std::string fault;
    for (int32_t s = 0; fault.empty() && s < quest.GetStepCount(); ++s) {
        const QuestStep* step = quest.GetQuestStepAtIndx(s);
        for (int32_t t = 0; fault.empty() && t < step->GetTriggerCount(); ++t)
            fault = TriggerFault(*step->GetTriggerOfIdx(t));
        if (fault.empty())
            fault = TriggerFault(*step->GetCompletionTrigger());
    }
    return fault;
}

} // namespace

std::string QuestRepository::FindDesignFault() const
{
    const World* world = gEngine->GetWorld();
    for (int32_t i = 0; world != nullptr && i < world->GetNumQuestFiles(); ++i) {
        const std::string path = world->GetQuestFile(i);
        const Quest* quest = GetQuest(Name::Create(NormalizeFileName(path)));
        const std::string fault = quest != nullptr ? QuestFault(*quest) : "";
        if (!fault.empty())
            return "quest file '" + path + "' is damaged: it names " + fault;
    }
    return "";
}

Quest* QuestRepository::GetQuest(const Name& handle) const
{
    for (const auto& quest : quests) {
        if (quest->GetHandle() == handle)
            return quest.get();
    }
    return nullptr;
}

Quest* QuestRepository::GetQuestByIndex(size_t index) const
{
    return index < quests.size() ? quests[index].get() : nullptr;
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

void QuestRepository::RebuildActiveTriggers()
{
    activeTriggers.clear();
    for (const auto& quest : quests)
        quest->GetActiveTriggers(activeTriggers);
}

void QuestRepository::FireTriggers()
{
    for (const QuestTriggerEntry& entry : firedTriggers) {
        Quest* quest = GetQuest(entry.questName);
        if (quest == nullptr)
            continue;
        quest->SetActive();
        const QuestStep* step = quest->GetQuestStepAtIndx(entry.stepIndex);
        Trigger* trigger = step != nullptr ? step->GetTriggerOfIdx(entry.triggerIndex) : nullptr;
        if (trigger != nullptr)
            trigger->ReFire(entry.target);
    }
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
    CollectSaveFailures();
    // By index: a firing action may change what is active.
    for (size_t i = 0; i < activeTriggers.size(); ++i)
        activeTriggers[i]->OnStatusChange(false);
    if (!delayedActionsOn)
        FireDelayedActions();
}

void QuestRepository::FireAction(TriggerAction* action, uint32_t id)
{
    if (action == nullptr)
        return;
    if (delayedActionsOn && action->CanDelay())
        delayedActions.emplace_back(action, id);
    else
        action->Fire(id, false);
}

void QuestRepository::FlushDelayedActions()
{
    delayedActionsOn = false;
    FireDelayedActions();
}

void QuestRepository::FireDelayedActions()
{
    // Taken out first: an action that fires may hold back another, which waits for next time.
    const std::vector<std::pair<TriggerAction*, uint32_t>> held = std::move(delayedActions);
    delayedActions.clear();
    for (const auto& [action, id] : held)
        action->Fire(id, false);
    const auto messages = std::move(delayedMessages);
    delayedMessages.clear();
    for (const auto& [message, target] : messages)
        SendNetMsg(message.get(), target);
}

TriggerAction* QuestRepository::FindActionById(uint32_t id) const
{
    const Quest* quest = GetQuestByIndex(id >> 24);
    const QuestStep* step =
        quest != nullptr ? quest->GetQuestStepAtIndx((id >> 16) & 0xFF) : nullptr;
    const Trigger* trigger = step != nullptr ? step->GetTriggerOfIdx((id >> 8) & 0xFF) : nullptr;
    return trigger != nullptr ? trigger->GetActionAtIdx(id & 0xFF) : nullptr;
}

void QuestRepository::AddTrigger(const Name& quest, int32_t step, int32_t trigger, uint32_t target)
{
    const QuestTriggerEntry entry{quest, step, trigger, target};
    if (std::find(firedTriggers.begin(), firedTriggers.end(), entry) == firedTriggers.end())
        firedTriggers.push_back(entry);
}

void QuestRepository::BadQuestState(Quest* quest)
{
    if (quest == nullptr)
        return;
    quest->SetDirty();
    if (!IsBadQuest(quest->GetHandle()))
        badQuests.push_back(quest->GetHandle());
    EventManager::Instance().Send("GameEvent_QuestUpdate", GameEvent_QuestUpdate());
}

bool QuestRepository::IsBadQuest(const Name& handle) const
{
    return std::find(badQuests.begin(), badQuests.end(), handle) != badQuests.end();
}

void QuestRepository::RegisterConditionSatisfied(ConditionId id)
{
    satisfiedConditions.insert(id);
}

void QuestRepository::DetectUnsolvableQuests(bool wholeSet)
{
    for (const ConditionId& id : satisfiedConditions) {
        Quest* quest = GetQuestByIndex(id.questIndex);
        const TriggerCondition* condition = FindConditionById(id.ToWord());
        if (condition != nullptr && condition->GetExclusive() && !condition->GetSatisfied() &&
            !quest->IsUnsolvable() && !(wholeSet && condition->GetIgnoreInSet()))
            quest->SetUnsolvable();
    }
}

TriggerCondition* QuestRepository::FindConditionById(uint32_t word) const
{
    const ConditionId id = ConditionId::FromWord(word);
    const Quest* quest = GetQuestByIndex(id.questIndex);
    const QuestStep* step = quest != nullptr ? quest->GetQuestStepAtIndx(id.stepIndex) : nullptr;
    const Trigger* trigger = step != nullptr ? step->GetTriggerOfIdx(id.triggerIndex) : nullptr;
    return trigger != nullptr ? trigger->GetConditionAtIdx(id.conditionIndex) : nullptr;
}

void QuestRepository::RecvConditionSet(const std::set<ConditionId>& received)
{
    satisfiedConditions.insert(received.begin(), received.end());
    DetectUnsolvableQuests(true);
}

bool QuestRepository::CompleteCondition(const char* hexId)
{
    // The text comes from a console or a script: only a whole number is taken.
    const size_t length = hexId != nullptr ? strlen(hexId) : 0;
    if (length == 0 || length > 8 || !std::all_of(hexId, hexId + length, [](char c) {
            return isxdigit(static_cast<unsigned char>(c)) != 0;
        }))
        return false;
    RecvConditionSet({ConditionId::FromWord(static_cast<uint32_t>(strtoul(hexId, nullptr, 16)))});
    return true;
}

void QuestRepository::Reset()
{
    // Moved out first: each quest going down forgets itself here.
    std::vector<std::unique_ptr<Quest>> doomed = std::move(quests);
    quests.clear();
    doomed.clear();
    firedTriggers.clear();
    activeTriggers.clear();
    activeQuests.clear();
    satisfiedConditions.clear();
    delayedActions.clear();
    badQuests.clear();
    proxySpawns.clear();
    delayedActionsOn = false;
    conversationListeners.clear();
    enterVolumeListeners.clear();
    completeNowListeners.clear();
    creatureInitialUpdateListeners.clear();
    entityInitialUpdateListeners.clear();
    creatureDeathListeners.clear();
    rewards.clear();
    EventManager::Instance().Send("GameEvent_QuestReset", GameEvent());
}

} // namespace GAME
