#include "quests/QuestStep.h"

#include "characters/Player.h"
#include "core/DesignerEquation_Boolean.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/Trigger.h"
#include "game/GameEngine.h"
#include "quests/MoveInList.h"
#include "quests/Quest.h"
#include "quests/QuestRepository.h"

#include <algorithm>

namespace GAME {

QuestStep::QuestStep(uint32_t id) : id(id), completionTrigger(Trigger::Spawn(0xFFFFFFFFu))
{
    completionTrigger->SetParent(this);
}

QuestStep::~QuestStep()
{
    for (const auto& trigger : triggers)
        ForgetTrigger(trigger.get());
    ForgetTrigger(completionTrigger.get());
}

void QuestStep::ForgetTrigger(Trigger* trigger)
{
    if (QuestRepository* repository = QuestRepository::GetIfExists())
        repository->ForgetTrigger(trigger);
}

std::unique_ptr<Trigger> QuestStep::MakeTrigger(size_t index)
{
    auto trigger = Trigger::Spawn(id | uint32_t(index % 256) << 8);
    trigger->SetDisplayTag("New Trigger");
    trigger->SetParent(this);
    trigger->SetQuestName(questTitle);
    trigger->SetArmingFunctor([this] { return IsEnabled(); });
    trigger->SetNotifyFiredFunctor([this](Trigger* fired) { OnTriggerFired(fired); });
    return trigger;
}

Trigger* QuestStep::AddNewTrigger()
{
    if (triggers.size() >= size_t(kMaxTriggers))
        return nullptr;
    triggers.push_back(MakeTrigger(triggers.size()));
    return triggers.back().get();
}

Trigger* QuestStep::GetTriggerOfIdx(int32_t index) const
{
    return index >= 0 && index < GetTriggerCount() ? triggers[size_t(index)].get() : nullptr;
}

int32_t QuestStep::GetIdxOfTrigger(const Trigger* trigger) const
{
    return IndexInList(triggers, trigger);
}

void QuestStep::MoveUpInParent()
{
    if (parent != nullptr)
        parent->MoveUp(this);
}

void QuestStep::MoveDownInParent()
{
    if (parent != nullptr)
        parent->MoveDown(this);
}

std::unique_ptr<QuestStep> QuestStep::RemoveFromParent()
{
    return parent != nullptr ? parent->RemoveQuestStep(this) : nullptr;
}

void QuestStep::GetQuestInformation(std::vector<std::string>& lines) const
{
    for (const auto& trigger : triggers)
        trigger->GetQuestInformation(lines);
}

void QuestStep::GetActiveTriggers(std::vector<Trigger*>& out) const
{
    for (const auto& trigger : triggers) {
        if (trigger->IsActive())
            out.push_back(trigger.get());
    }
}

bool QuestStep::ContainsToken(const char* tokenName) const
{
    return std::any_of(triggers.begin(), triggers.end(), [tokenName](const auto& trigger) {
        return trigger->ContainsToken(tokenName);
    });
}

void QuestStep::RemoveTokenReferences(const char* tokenName)
{
    for (const auto& trigger : triggers)
        trigger->RemoveTokenReferences(tokenName);
}

bool QuestStep::IsEnabled()
{
    return !completed && equation != nullptr && (*equation)();
}

void QuestStep::OnTriggerFired(Trigger* trigger)
{
    if (parent != nullptr)
        QuestRepository::Get().AddTrigger(parent->GetHandle(), parent->GetIdxOfQuestStep(this),
                                          GetIdxOfTrigger(trigger), trigger->GetInstigator());
    if (std::all_of(triggers.begin(), triggers.end(),
                    [](const auto& each) { return each->IsDone(); }))
        OnCompletion(true, true, true);
}

void QuestStep::OnCompletion(bool complete, bool flagA, bool flagB)
{
    if (completed)
        return;
    if (complete && completionTrigger != nullptr) {
        completionTrigger->SetInstigator(gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0);
        completionTrigger->Fire(true);
    }
    completed = true;
    if (complete && parent != nullptr) {
        parent->SetSummaryTag(nextTaskDescription);
        parent->OnStepComplete(flagA, flagB);
    }
}

void QuestStep::GenerateEnablingEquation()
{
    const char* text = enablingTokensFunction.empty() ? "1" : enablingTokensFunction.c_str();
    equation = std::make_unique<DesignerEquation_Boolean>();
    if (!equation->ParseEquation(text, this)) {
        equation.reset();
        gEngine->Log(Engine::LogData,
                     "A quest step equation for Quest \"%s\" failed.  Quest will not function.",
                     questTitle.c_str());
    }
}

bool QuestStep::GetDesignerVariable(const char* variable, bool& value)
{
    const Player* player = gGameEngine != nullptr ? gGameEngine->GetMainPlayer() : nullptr;
    value = player != nullptr && player->HasToken(variable);
    return true;
}

bool QuestStep::SerializeTriggers(IOStream* stream)
{
    const bool reading = stream->IsReading();
    int32_t count = GetTriggerCount();
    if (!stream->StreamInt("max", count))
        return false;
    if (reading)
        triggers.clear();
    for (int32_t i = 0; i < count && !stream->HasFailed(); ++i) {
        if (!reading) {
            triggers[size_t(i)]->Serialize(stream);
            continue;
        }
        std::unique_ptr<Trigger> trigger = MakeTrigger(triggers.size());
        trigger->Serialize(stream);
        if (triggers.size() < size_t(kMaxTriggers))
            triggers.push_back(std::move(trigger));
        else if (i == kMaxTriggers)
            gEngine->Log(Engine::LogData, "Quest \"%s\": triggers past %d of a step dropped",
                         questTitle.c_str(), kMaxTriggers);
    }
    return !stream->HasFailed();
}

bool QuestStep::Serialize(IOStream* stream)
{
    if (stream == nullptr)
        return false;
    stream->BeginBlock();
    stream->StreamString("name", name);
    stream->StreamString("enablingTokenFunction", enablingTokensFunction);
    if (stream->IsReading() && !stream->HasFailed())
        GenerateEnablingEquation();
    stream->StreamString("nextTaskDescription", nextTaskDescription);
    stream->EndBlock();
    stream->BeginBlock();
    SerializeTriggers(stream);
    stream->EndBlock();
    stream->BeginBlock();
    completionTrigger->Serialize(stream);
    stream->EndBlock();
    return !stream->HasFailed();
}

bool QuestStep::StreamProperties(IOStream* stream)
{
    stream->BeginBlock();
    stream->BeginBlock();
    stream->StreamString("comments", comments);
    stream->EndBlock();
    stream->BeginBlock();
    for (const auto& trigger : triggers)
        trigger->StreamProperties(stream);
    stream->EndBlock();
    stream->EndBlock();
    // Completion is not stored: a step whose triggers all fired was complete. Marked silently,
    // so a reload never fires its completion trigger again.
    if (stream->IsReading() && !triggers.empty() &&
        std::all_of(triggers.begin(), triggers.end(),
                    [](const auto& each) { return each->IsDone(); }))
        completed = true;
    return !stream->HasFailed();
}

void QuestStep::RemoveTrigger(Trigger* trigger)
{
    const int32_t index = GetIdxOfTrigger(trigger);
    if (index < 0)
        return;
    ForgetTrigger(trigger);
    triggers.erase(triggers.begin() + index);
}

void QuestStep::MoveUp(Trigger* trigger)
{
    MoveInList(triggers, trigger, -1);
}

void QuestStep::MoveDown(Trigger* trigger)
{
    MoveInList(triggers, trigger, +1);
}

void QuestStep::UpdateContainerUI(const std::string& first, const std::string& second, bool flag1,
                                  bool flag2, bool flag3)
{
    if (parent != nullptr)
        parent->UpdateContainerUI(first, second, flag1, flag2, flag3);
}

void QuestStep::UpdateDialogTab(const std::string& text)
{
    if (parent != nullptr)
        parent->UpdateDialogTab(text);
}

void QuestStep::FireAction(TriggerAction* action, uint32_t targetId)
{
    QuestRepository::Get().FireAction(action, targetId);
}

void QuestStep::SetDirty()
{
    if (parent != nullptr) {
        parent->SetDirty();
        parent->SetActive();
    }
}

} // namespace GAME
