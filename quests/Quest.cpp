#include "quests/Quest.h"

#include "core/GameEvents.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/IOStream.h"
#include "engine/Trigger.h"
#include "quests/MoveInList.h"
#include "quests/QuestEvents.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"

#include <algorithm>

namespace GAME {

namespace {

bool IsRewardIndex(int index)
{
    return index >= 0 && index < Quest::kRewardCount;
}

void SendHandleEvent(const char* eventName, const Name& handle)
{
    GameEvent_QuestHandle event;
    event.handle = handle;
    EventManager::Instance().Send(eventName, event);
}

} // namespace

const Quest* Quest::OfTrigger(const Trigger* trigger)
{
    const auto* step =
        trigger != nullptr ? dynamic_cast<const QuestStep*>(trigger->GetParent()) : nullptr;
    return step != nullptr ? step->GetParent() : nullptr;
}

Quest::Quest(uint32_t id) : id(id) {}

Quest::~Quest()
{
    if (QuestRepository* repository = QuestRepository::GetIfExists())
        repository->ForgetQuest(this);
}

void Quest::SetHandle(const Name& value, const std::string& file)
{
    handle = value;
    fileName = file;
    QuestRepository::Get().AddCompleteQuestNow(handle, this);
}

void Quest::SetHandle(const std::string& file)
{
    SetHandle(Name::Create(file), file);
}

const char* Quest::GetRewardItemTag(int index) const
{
    return IsRewardIndex(index) ? rewardItemTags[index].c_str() : "";
}

void Quest::SetRewardItemTag(int index, const char* tag)
{
    if (IsRewardIndex(index))
        rewardItemTags[index] = tag != nullptr ? tag : "";
}

int Quest::GetRewardGold(int index) const
{
    return IsRewardIndex(index) ? rewardGold[index] : 0;
}

void Quest::SetRewardGold(int index, int gold)
{
    if (IsRewardIndex(index))
        rewardGold[index] = gold;
}

int Quest::GetRewardXP(int index) const
{
    return IsRewardIndex(index) ? rewardXP[index] : 0;
}

void Quest::SetRewardXP(int index, int experience)
{
    if (IsRewardIndex(index))
        rewardXP[index] = experience;
}

QuestStep* Quest::GetQuestStepAtIndx(int32_t index) const
{
    return index >= 0 && index < GetStepCount() ? steps[size_t(index)].get() : nullptr;
}

int32_t Quest::GetIdxOfQuestStep(const QuestStep* step) const
{
    return IndexInList(steps, step);
}

QuestStep* Quest::AddNewQuestStep()
{
    if (steps.size() >= size_t(kMaxSteps))
        return nullptr;
    auto step = QuestStep::Spawn(id | uint32_t(steps.size() % 256) << 16);
    step->SetParent(this);
    step->SetQuestTitle(name);
    steps.push_back(std::move(step));
    return steps.back().get();
}

std::unique_ptr<QuestStep> Quest::RemoveQuestStep(QuestStep* step)
{
    const int32_t index = GetIdxOfQuestStep(step);
    if (index < 0)
        return nullptr;
    std::unique_ptr<QuestStep> removed = std::move(steps[size_t(index)]);
    steps.erase(steps.begin() + index);
    removed->SetParent(nullptr);
    return removed;
}

void Quest::MoveUp(QuestStep* step)
{
    MoveInList(steps, step, -1);
}

void Quest::MoveDown(QuestStep* step)
{
    MoveInList(steps, step, +1);
}

void Quest::GetInformation(std::vector<std::string>& lines) const
{
    for (const auto& step : steps)
        step->GetQuestInformation(lines);
}

void Quest::GetActiveTriggers(std::vector<Trigger*>& out) const
{
    for (const auto& step : steps)
        step->GetActiveTriggers(out);
}

bool Quest::ContainsToken(const char* tokenName) const
{
    return std::any_of(steps.begin(), steps.end(),
                       [tokenName](const auto& step) { return step->ContainsToken(tokenName); });
}

void Quest::RemoveTokenReferences(const char* tokenName)
{
    for (const auto& step : steps)
        step->RemoveTokenReferences(tokenName);
}

bool Quest::AllStepsComplete() const
{
    return std::all_of(steps.begin(), steps.end(),
                       [](const auto& step) { return step->IsComplete(); });
}

void Quest::OnStepComplete(bool flagA, bool flagB)
{
    if (!active) {
        SendHandleEvent("GameEvent_InheritQuest", handle);
        active = true;
    }
    if (AllStepsComplete())
        OnQuestComplete(flagA, flagB);
}

void Quest::OnQuestComplete(bool flagA, bool flagB)
{
    complete = true;
    GameEvent_QuestComplete event;
    event.handle = handle;
    event.flagA = flagA;
    event.flagB = flagB;
    EventManager::Instance().Send("GameEvent_QuestComplete", event);
}

void Quest::ForceCompleteNow(bool flagA, bool flagB)
{
    for (const auto& step : steps) {
        step->OnCompletion(true, flagA, flagB);
        for (int32_t i = 0; i < step->GetTriggerCount(); ++i)
            step->GetTriggerOfIdx(i)->Fire(false);
    }
}

void Quest::OnCompleteQuestNow(const GameEvent_CompleteQuestNow& event)
{
    if (Name::Create(NormalizeFileName(event.questFile)) == handle)
        ForceCompleteNow(event.flagA, event.flagB);
}

void Quest::SetUnsolvable()
{
    if (unsolvable)
        return;
    unsolvable = active = complete = true;
    for (const auto& step : steps) {
        step->OnCompletion(false, false, false);
        for (int32_t i = 0; i < step->GetTriggerCount(); ++i)
            step->GetTriggerOfIdx(i)->Fire(false);
    }
    SendHandleEvent("GameEvent_QuestUnsolvable", handle);
}

void Quest::UpdateContainerUI(const std::string& first, const std::string& second, bool flag1,
                              bool flag2, bool flag3)
{
    GameEvent_UpdateMapMarker event;
    event.handle = handle;
    event.first = first;
    event.second = second;
    event.flag1 = flag1;
    event.flag2 = flag2;
    event.flag3 = flag3;
    EventManager::Instance().Send("GameEvent_UpdateMapMarker", event);
}

void Quest::UpdateDialogTab(const std::string& text)
{
    GameEvent_UpdateDialogTab event;
    event.handle = handle;
    event.text = text;
    EventManager::Instance().Send("GameEvent_UpdateDialogTab", event);
}

bool Quest::SerializeSteps(IOStream* stream)
{
    const bool reading = stream->IsReading();
    int32_t count = GetStepCount();
    if (!stream->StreamInt("max", count))
        return false;
    if (reading)
        steps.clear();
    for (int32_t i = 0; i < count && !stream->HasFailed(); ++i) {
        if (!reading) {
            steps[size_t(i)]->Serialize(stream);
            continue;
        }
        QuestStep* step = AddNewQuestStep();
        if (step != nullptr) {
            step->Serialize(stream);
            continue;
        }
        if (i == kMaxSteps)
            gEngine->Log(Engine::LogData, "Quest \"%s\": steps past %d dropped", name.c_str(),
                         kMaxSteps);
        QuestStep dropped(0);
        dropped.Serialize(stream); // read past it
    }
    return !stream->HasFailed();
}

bool Quest::Serialize(IOStream* stream)
{
    if (stream == nullptr)
        return false;
    stream->BeginBlock();
    stream->StreamString("title", name);
    stream->StreamString("rewardItemTag", rewardItemTags[0]);
    stream->StreamInt("rewardGold", rewardGold[0]);
    stream->StreamInt("rewardXP", rewardXP[0]);
    stream->StreamInt("rewardSkill", rewardSkill);
    stream->StreamInt("rewardAttr", rewardAttr);
    static const char* const keys[][3] = {
        {"this->rewardItemTag[1]", "this->rewardGold[1]", "this->rewardXP[1]"},
        {"this->rewardItemTag[2]", "this->rewardGold[2]", "this->rewardXP[2]"}};
    for (int i = 1; i < kRewardCount; ++i) {
        stream->StreamString(keys[i - 1][0], rewardItemTags[i]);
        stream->StreamInt(keys[i - 1][1], rewardGold[i]);
        stream->StreamInt(keys[i - 1][2], rewardXP[i]);
    }
    stream->EndBlock();
    stream->BeginBlock();
    SerializeSteps(stream);
    stream->EndBlock();
    return !stream->HasFailed();
}

bool Quest::StreamProperties(IOStream* stream)
{
    stream->BeginBlock();
    stream->StreamString("comments", comments);
    stream->StreamBool("active", active);
    stream->EndBlock();
    stream->BeginBlock();
    for (const auto& step : steps)
        step->StreamProperties(stream);
    stream->EndBlock();
    if (stream->IsReading() && !steps.empty() && AllStepsComplete())
        complete = true;
    dirty = false;
    return !stream->HasFailed();
}

} // namespace GAME
